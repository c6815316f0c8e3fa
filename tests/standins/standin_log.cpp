#include "standin_log.h"

#include <cstdio>

namespace standin {

long long NowMicroseconds() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return counter.QuadPart / frequency.QuadPart * 1000000 +
         counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

std::string LogPath(const char* program) {
  char folder[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableA("ZOK_STANDIN_LOG_DIR", folder, sizeof folder);
  if (n == 0 || n >= sizeof folder) {
    n = GetModuleFileNameA(nullptr, folder, sizeof folder);
    char* slash = strrchr(folder, '\\');
    if (slash) *slash = '\0';
  }
  return std::string(folder) + "\\" + program + ".log";
}

void AppendLine(const char* program, const std::string& line) {
  std::string text = line + "\r\n";
  HANDLE file = CreateFileA(LogPath(program).c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

void LogMessage(const char* program, UINT msg, WPARAM wParam, LPARAM lParam) {
  char line[96];
  snprintf(line, sizeof line, "msg 0x%04x 0x%08lx 0x%08lx %lld", msg,
           static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam),
           NowMicroseconds());
  AppendLine(program, line);
}

void LogStart(const char* program) {
  char cwd[MAX_PATH * 2] = "";
  GetCurrentDirectoryA(sizeof cwd, cwd);
  AppendLine(program, std::string("start cmdline=") + GetCommandLineA() + " cwd=" + cwd);
}

namespace {

const char* g_program;
MessageHook g_hook;

LRESULT CALLBACK LoggingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_USER) {
    LogMessage(g_program, msg, wParam, lParam);
    if (g_hook) g_hook(hwnd, msg, wParam, lParam);
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int RunLoggingWindow(const char* program, const char* window_class, const char* title,
                     MessageHook on_message) {
  g_program = program;
  g_hook = on_message;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = LoggingWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = window_class;
  if (!RegisterClassA(&wc)) return 1;
  HWND hwnd = CreateWindowA(window_class, title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                            nullptr, wc.hInstance, nullptr);
  if (!hwnd) return 1;
  AppendLine(program, "window");
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return 0;
}

}  // namespace standin
