#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testing_support {

std::wstring BinDir() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s(path);
  return s.substr(0, s.find_last_of(L'\\'));
}

std::wstring BinPath(const std::wstring& file) { return BinDir() + L"\\" + file; }

namespace {

bool StartProcess(const std::wstring& command_line, const wchar_t* working_folder,
                  PROCESS_INFORMATION* pi, int show_command = -1) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  if (show_command >= 0) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show_command);
  }
  std::wstring mutable_line = command_line;
  return CreateProcessW(nullptr, &mutable_line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        working_folder, &si, pi) != 0;
}

BOOL CALLBACK CloseWindowOfProcess(HWND hwnd, LPARAM process_id) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == static_cast<DWORD>(process_id)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

long RunAndWait(const std::wstring& command_line, DWORD timeout_ms, const wchar_t* working_folder) {
  PROCESS_INFORMATION pi;
  if (!StartProcess(command_line, working_folder, &pi)) return -1;
  CloseHandle(pi.hThread);
  long result = -1;
  if (WaitForSingleObject(pi.hProcess, timeout_ms) == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    result = static_cast<long>(code);
  } else {
    TerminateProcess(pi.hProcess, 1);
  }
  CloseHandle(pi.hProcess);
  return result;
}

ChildProcess::ChildProcess(const std::wstring& command_line, const wchar_t* working_folder, int show_command) {
  PROCESS_INFORMATION pi;
  if (!StartProcess(command_line, working_folder, &pi, show_command)) return;
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  id_ = pi.dwProcessId;
  WaitForInputIdle(process_, 5000);
}

ChildProcess::~ChildProcess() { Stop(); }

long ChildProcess::Wait(DWORD timeout_ms) {
  if (!process_ || WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

void ChildProcess::Stop() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
    EnumWindows(CloseWindowOfProcess, static_cast<LPARAM>(id_));
    if (WaitForSingleObject(process_, 3000) != WAIT_OBJECT_0) {
      TerminateProcess(process_, 1);
      WaitForSingleObject(process_, 3000);
    }
  }
  CloseHandle(process_);
  process_ = nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeout_ms) return false;
    Sleep(10);
  }
}

HWND WaitForWindow(const char* window_class, const char* title, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowA(window_class, title)) != nullptr; }, timeout_ms);
  return found;
}

namespace {

struct ProcessWindow {
  DWORD process_id;
  const wchar_t* window_class;
  HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM data) {
  auto* wanted = reinterpret_cast<ProcessWindow*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t window_class[64];
  GetClassNameW(window, window_class, 64);
  if (owner != wanted->process_id || lstrcmpW(window_class, wanted->window_class) != 0 ||
      !IsWindowVisible(window))
    return TRUE;
  wanted->found = window;
  return FALSE;
}

struct ChildSearch {
  const wchar_t* window_class;
  const wchar_t* text;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data) {
  auto* wanted = reinterpret_cast<ChildSearch*>(data);
  wchar_t window_class[64], text[256];
  GetClassNameW(child, window_class, 64);
  GetWindowTextW(child, text, 256);
  if (wanted->window_class && lstrcmpiW(window_class, wanted->window_class) != 0) return TRUE;
  if (wanted->text ? lstrcmpW(text, wanted->text) != 0 : !IsWindowVisible(child)) return TRUE;
  wanted->found = child;
  return FALSE;
}

}  // namespace

HWND FindChild(HWND parent, const wchar_t* window_class, const wchar_t* text) {
  ChildSearch wanted = {window_class, text, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&wanted));
  return wanted.found;
}

HWND WaitForProcessWindow(DWORD process_id, const wchar_t* window_class, DWORD timeout_ms) {
  ProcessWindow wanted = {process_id, window_class, nullptr};
  WaitUntil([&] {
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&wanted));
    return wanted.found != nullptr;
  }, timeout_ms);
  return wanted.found;
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) text.append(buffer, got);
  CloseHandle(file);
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<LoggedMessage> ReadLoggedMessages(const std::wstring& log_path) {
  std::vector<LoggedMessage> messages;
  for (const std::string& line : ReadLines(log_path)) {
    LoggedMessage m;
    if (sscanf(line.c_str(), "msg %x %lx %lx %lld", &m.msg, &m.wparam, &m.lparam, &m.micros) == 4)
      messages.push_back(m);
  }
  return messages;
}

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static unsigned counter = 0;
  wchar_t name[64];
  swprintf(name, 64, L"zoktest-%lu-%u", GetCurrentProcessId(), ++counter);
  path_ = std::wstring(temp) + name;
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void ScratchFolder::UseForStandinLogs() const {
  SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", path_.c_str());
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE listing = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
  }
  RemoveDirectoryW(path.c_str());
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteTextFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

}  // namespace testing_support
