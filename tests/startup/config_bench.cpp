// Benchmark of the configuration program under Wine: start to main window shown and OK, with 1,
// 10 and 100 schemes of 10 keys (OK with one key and with every key changed), each beside
// baselines measured in the same run (a bare program that shows one window, and one that makes the
// program's windows and controls with plain calls; a plain loop of the same profile writes).
// Prints medians and ratios; asserts nothing. Run by scripts/bench-config.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "demo_install.h"
#include "registry_keys.h"
#include "test_support.h"

using namespace registry_test;
using namespace startup_test;
using namespace testing_support;

namespace {

const std::wstring kDataFolder = L"C:\\KVZOK";
constexpr int kKeys = 10;

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * count.QuadPart / frequency.QuadPart;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Search {
  DWORD process;
  const wchar_t* window_class;
  HWND found;
};

BOOL CALLBACK MatchVisible(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  wchar_t name[64] = {};
  GetWindowThreadProcessId(hwnd, &process);
  GetClassNameW(hwnd, name, 64);
  if (process != search->process || lstrcmpW(name, search->window_class) || !IsWindowVisible(hwnd))
    return TRUE;
  search->found = hwnd;
  return FALSE;
}

// Starts the program and waits (polling every millisecond) for its visible window.
HWND StartAndWait(ChildProcess& program, const wchar_t* window_class) {
  Search search{program.id(), window_class, nullptr};
  for (int i = 0; i < 30000 && !search.found; ++i) {
    EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  return search.found;
}

double TimeStart(const std::wstring& file, const wchar_t* window_class) {
  const double begin = Now();
  ChildProcess program(L"\"" + BinPath(file) + L"\"");
  HWND window = StartAndWait(program, window_class);
  const double elapsed = Now() - begin;
  if (!window) fwprintf(stderr, L"%ls showed no window\n", file.c_str());
  return elapsed;
}

// A UTF-16 scheme file of `schemes` schemes of ten keys each.
std::wstring SchemeFileText(int schemes) {
  std::wstring text = L"\xFEFF[global]\r\nscheme=" + std::to_wstring(schemes - 1) +
                      L"\r\ncurrent=0\r\nnumbutton=10\r\ndefault=0\r\nnumhkbtns=8\r\nnumnumpad=4\r\n";
  for (int s = 0; s < schemes; ++s) {
    text += L"[" + std::to_wstring(s) + L"]\r\nschemename=Scheme " + std::to_wstring(s) + L"\r\n";
    for (int k = 0; k < kKeys; ++k) {
      const std::wstring n = std::to_wstring(k);
      text += L"function" + n + L"=4\r\ncaption" + n + L"=Key " + n + L"\r\nassign" + n +
              L"=http://www.example.com/\r\nlinkto" + n + L"=http://www.example.com/\r\nvkey" + n + L"=0\r\n";
    }
  }
  return text;
}

void WriteSchemeFile(const std::wstring& path, int schemes) {
  const std::wstring text = SchemeFileText(schemes);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
}

std::wstring UserFile() {
  wchar_t name[512];
  DWORD size = 512;
  return kDataFolder + L"\\" + (GetUserNameW(name, &size) ? name : L" ") + L".ini";
}

void Report(const char* what, double measured, const char* baseline_name, double baseline) {
  printf("%-36s %8.1f ms   %-22s %8.1f ms   ratio %5.2f\n", what, measured, baseline_name, baseline,
         baseline > 0 ? measured / baseline : 0.0);
}

// Start to shown, beside both floors: a bare window, and the program's own windows and controls
// made with plain calls (bare_forms). The three take turns, so that they meet the same load.
void ReportStart(int runs, int schemes) {
  WriteSchemeFile(UserFile(), schemes);
  std::vector<double> bare_window, bare_forms, start;
  for (int i = 0; i < runs; ++i) {
    bare_window.push_back(TimeStart(L"bare_window.exe", L"BareWindow"));
    bare_forms.push_back(TimeStart(L"bare_forms.exe", L"BareTzokcfg_0"));
    start.push_back(TimeStart(L"zokcfg.exe", L"Tzokcfg_0"));
  }
  const std::string what = "start, " + std::to_string(schemes) + " scheme(s), to shown";
  Report(what.c_str(), Median(start), "bare window shown", Median(bare_window));
  Report("", Median(start), "bare forms shown", Median(bare_forms));
}

// ---- OK with keys changed: the click to the program's end, beside the plain loop of writes ----

// What the file holds when OK is clicked, against the rows the program loaded at start.
enum class OkChange { kOneKey, kEveryKey };

struct KeyValues {
  const wchar_t* function;
  const wchar_t* caption;
  const wchar_t* link;
  const wchar_t* vkey;
};
const KeyValues kLoadedValues = {L"4", L"Key ", L"http://www.example.com/", L"0"};
const KeyValues kChangedValues = {L"5", L"Old ", L"http://www.example.org/", L"1"};

// A UTF-16 file of `schemes` schemes of ten keys: every key as the program loads it, or, for
// OK to change, the first key of the last scheme or every key of every scheme otherwise.
std::wstring FileBeforeOk(int schemes, bool loaded, OkChange change) {
  std::wstring text = L"\xFEFF[global]\r\nscheme=" + std::to_wstring(schemes - 1) +
                      L"\r\ncurrent=0\r\nnumbutton=10\r\ndefault=0\r\nnumhkbtns=8\r\nnumnumpad=4\r\n";
  for (int s = 0; s < schemes; ++s) {
    text += L"[" + std::to_wstring(s) + L"]\r\nschemename=Scheme " + std::to_wstring(s) + L"\r\n";
    for (int k = 0; k < kKeys; ++k) {
      const bool changed =
          !loaded && (change == OkChange::kEveryKey || (s == schemes - 1 && k == 0));
      const KeyValues& v = changed ? kChangedValues : kLoadedValues;
      const std::wstring n = std::to_wstring(k);
      text += L"function" + n + L"=" + v.function + L"\r\ncaption" + n + L"=" + v.caption + n +
              L"\r\nassign" + n + L"=" + v.link + L"\r\nlinkto" + n + L"=" + v.link + L"\r\nvkey" +
              n + L"=" + v.vkey + L"\r\n";
    }
  }
  return text;
}

// Writes the file dated `minutes` back: a user's file is old when OK is clicked, and Wine's
// profile functions read a file written in the last two seconds anew at every call.
void WriteDatedFile(const std::wstring& path, const std::wstring& text, int minutes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart -= static_cast<ULONGLONG>(minutes) * 60 * 10000000;
  const FILETIME dated{time.LowPart, time.HighPart};
  SetFileTime(file, nullptr, nullptr, &dated);
  CloseHandle(file);
}

// From the click on OK to the program's end; the file is changed behind the program's back
// after start, so that OK finds the keys of `change` different from its rows.
double TimeOkWithChange(int schemes, OkChange change) {
  WriteDatedFile(UserFile(), FileBeforeOk(schemes, true, change), 120);
  ChildProcess program(L"\"" + BinPath(L"zokcfg.exe") + L"\"");
  HWND window = StartAndWait(program, L"Tzokcfg_0");
  HWND ok = window ? FindChild(window, L"Button", L"OK") : nullptr;
  if (!ok) {
    fwprintf(stderr, L"no OK button\n");
    return 0;
  }
  WriteDatedFile(UserFile(), FileBeforeOk(schemes, false, change), 60);
  const double begin = Now();
  PostMessageW(GetParent(ok), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok), BN_CLICKED),
               reinterpret_cast<LPARAM>(ok));
  WaitForSingleObject(program.handle(), 120000);
  return Now() - begin;
}

// The writes OK makes to the scheme sections (every key: caption, assign, function, vkey,
// linkto), in a plain loop on the same file.
double TimePlainOkWrites(int schemes, OkChange change) {
  const std::wstring path = kDataFolder + L"\\baseline.ini";
  WriteDatedFile(path, FileBeforeOk(schemes, false, change), 60);
  const KeyValues& v = kLoadedValues;
  const double begin = Now();
  for (int s = 0; s < schemes; ++s) {
    const std::wstring section = std::to_wstring(s);
    for (int k = 0; k < kKeys; ++k) {
      const std::wstring n = std::to_wstring(k);
      const std::wstring caption = v.caption + n;
      WritePrivateProfileStringW(section.c_str(), (L"caption" + n).c_str(), caption.c_str(), path.c_str());
      WritePrivateProfileStringW(section.c_str(), (L"assign" + n).c_str(), v.link, path.c_str());
      WritePrivateProfileStringW(section.c_str(), (L"function" + n).c_str(), v.function, path.c_str());
      WritePrivateProfileStringW(section.c_str(), (L"vkey" + n).c_str(), v.vkey, path.c_str());
      WritePrivateProfileStringW(section.c_str(), (L"linkto" + n).c_str(), v.link, path.c_str());
    }
  }
  const double elapsed = Now() - begin;
  DeleteFileW(path.c_str());
  return elapsed;
}

// OK and the plain loop take turns, so that both meet the same load of the machine.
void ReportOkWithChanges(int runs) {
  for (OkChange change : {OkChange::kOneKey, OkChange::kEveryKey}) {
    const char* changed = change == OkChange::kOneKey ? "one key" : "every key";
    double ok_one_scheme = 0;
    for (int schemes : {1, 10, 100}) {
      std::vector<double> ok, loop;
      for (int i = 0; i < runs; ++i) {
        ok.push_back(TimeOkWithChange(schemes, change));
        loop.push_back(TimePlainOkWrites(schemes, change));
      }
      const std::string what = "OK, " + std::to_string(schemes) + " x 10 keys, " + changed;
      Report(what.c_str(), Median(ok), "plain loop of writes", Median(loop));
      if (schemes == 1) ok_one_scheme = Median(ok);
      if (schemes == 100 && change == OkChange::kOneKey)
        Report("OK, 100 against 1 scheme, one key", Median(ok), "OK, 1 scheme, one key",
               ok_one_scheme);
    }
  }
}

}  // namespace

// Arguments: the number of runs (7 unless told), then "start" or "ok" for one part only.
int main(int argc, char** argv) {
  const int runs = argc > 1 && atoi(argv[1]) > 0 ? atoi(argv[1]) : 7;
  const std::string part = argc > 2 ? argv[2] : "";
  ScratchFolder scratch;
  const std::wstring install = scratch.File(L"install");
  CreateDirectoryW(install.c_str(), nullptr);
  for (const wchar_t* file : {L"obj0409.set", L"obj0409.bcm"})
    CopyFileW(DemoInstallFile(file).c_str(), (install + L"\\" + file).c_str(), FALSE);
  SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", install);
  scratch.UseForStandinLogs();
  CreateDirectoryW(kDataFolder.c_str(), nullptr);
  WriteSchemeFile(UserFile(), 1);

  // Warm the Wine server and the file cache first.
  TimeStart(L"bare_window.exe", L"BareWindow");
  TimeStart(L"bare_forms.exe", L"BareTzokcfg_0");
  TimeStart(L"zokcfg.exe", L"Tzokcfg_0");
  printf("medians of %d runs\n", runs);
  if (part != "ok")
    for (int schemes : {1, 10, 100}) ReportStart(runs, schemes);
  if (part != "start") ReportOkWithChanges(runs);
  RemoveTree(kDataFolder);
  DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
  DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
  return 0;
}
