// Stand-in for the hot-key handler ZOKHKEY. Without arguments it runs its main window (class
// "AfxFrameOrView42sud", title "ZOKHKWND") and logs every message from WM_USER upwards. When
// %ZOK_STANDIN_NUMPAD% holds a number, it answers each ConfigHelloMessage by posting
// NumPadStateMessage with that number as wParam to the window named in the hello's lParam.
// At the first ConfigHelloMessage it logs what it finds of the registry mirror (as below); with
// %ZOK_STANDIN_HANG% set it then stops answering, as a hung handler would.
// Started with arguments ("ZOKHKEY.EXE u") it logs its start and what it finds of the applied
// settings (each data-folder .ini's `current`, the registry mirror's key subkeys), then ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "standin_log.h"

namespace {

const char kProgram[] = "ZOKHKEY";
constexpr UINT kConfigHelloMessage = 0x702;
constexpr UINT kNumPadStateMessage = 0x701;

void LogRegistryMirror();

void AnswerHello(HWND, UINT msg, WPARAM, LPARAM lParam) {
  static bool greeted = false;
  char value[32];
  if (msg != kConfigHelloMessage) return;
  if (!greeted) {
    greeted = true;
    LogRegistryMirror();
  }
  if (GetEnvironmentVariableA("ZOK_STANDIN_HANG", value, sizeof value)) Sleep(INFINITE);
  if (!GetEnvironmentVariableA("ZOK_STANDIN_NUMPAD", value, sizeof value)) return;
  PostMessageA(reinterpret_cast<HWND>(lParam), kNumPadStateMessage,
               static_cast<WPARAM>(strtol(value, nullptr, 0)), 0);
}

// "seen ini=<file> current=<value>" for each scheme file in the data folder.
void LogSchemeFiles() {
  WIN32_FIND_DATAA entry;
  HANDLE listing = FindFirstFileA("C:\\KVZOK\\*.ini", &entry);
  if (listing == INVALID_HANDLE_VALUE) {
    standin::AppendLine(kProgram, "seen ini=none");
    return;
  }
  do {
    std::string path = std::string("C:\\KVZOK\\") + entry.cFileName;
    char current[64];
    GetPrivateProfileStringA("global", "current", "(none)", current, sizeof current, path.c_str());
    standin::AppendLine(kProgram, std::string("seen ini=") + entry.cFileName + " current=" + current);
  } while (FindNextFileA(listing, &entry));
  FindClose(listing);
}

// "seen mirror keys=<number of key subkeys> caption0=<caption of key 0>" or "seen mirror=none".
void LogRegistryMirror() {
  HKEY config;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KV\\ZOK\\Config", 0, KEY_READ, &config)) {
    standin::AppendLine(kProgram, "seen mirror=none");
    return;
  }
  DWORD subkeys = 0;
  RegQueryInfoKeyA(config, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr, nullptr);
  char caption[512] = "";
  DWORD size = sizeof caption - 1;
  HKEY key0;
  if (!RegOpenKeyExA(config, "0", 0, KEY_READ, &key0)) {
    RegQueryValueExA(key0, "caption", nullptr, nullptr, reinterpret_cast<BYTE*>(caption), &size);
    RegCloseKey(key0);
  }
  RegCloseKey(config);
  standin::AppendLine(kProgram, "seen mirror keys=" + std::to_string(subkeys) + " caption0=" + caption);
}

bool HasArguments() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  LocalFree(argv);
  return argc > 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  standin::LogStart(kProgram);
  if (HasArguments()) {
    LogSchemeFiles();
    LogRegistryMirror();
    return 0;
  }
  return standin::RunLoggingWindow(kProgram, "AfxFrameOrView42sud", "ZOKHKWND", AnswerHello);
}
