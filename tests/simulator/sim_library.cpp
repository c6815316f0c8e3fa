#include "sim_library.h"

#include <string.h>

#include "sim_shared.h"

namespace kbdsim {

namespace {

constexpr char kRecordingClass[] = "KbdSimRecordingWindow";

template <typename Fn>
void Bind(HMODULE module, int ordinal, Fn& target) {
  target = reinterpret_cast<Fn>(reinterpret_cast<void*>(
      GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

}  // namespace

LibraryUnderTest::LibraryUnderTest(const std::wstring& path) {
  module_ = LoadLibraryW(path.c_str());
  if (!module_) return;
  Bind(module_, 2, init_driver);
  Bind(module_, 3, set_kbd_features);
  Bind(module_, 4, remove_device);
  Bind(module_, 5, read_device);
  Bind(module_, 6, device_arrival);
}

std::wstring ExecutableFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

RecordingWindow::RecordingWindow(UINT key_report_message) : key_report_message_(key_report_message) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = &RecordingWindow::Procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kRecordingClass;
  RegisterClassA(&window_class);  // fails harmlessly when an earlier window registered it
  hwnd_ = CreateWindowExA(0, kRecordingClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                          GetModuleHandleA(nullptr), this);
}

RecordingWindow::~RecordingWindow() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

LRESULT CALLBACK RecordingWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && message >= 0x400 && message <= 0x7FF) {
    ClientMessage record;
    record.message = message;
    record.wparam = wparam;
    record.lparam = lparam;
    record.micros = NowMicros();
    if (message == self->key_report_message_ && lparam && !self->dispatching_posted_) {
      const BYTE* report = reinterpret_cast<const BYTE*>(lparam);
      record.report.assign(report, report + 32);
    }
    self->messages_.push_back(record);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void RecordingWindow::Pump(DWORD ms) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      dispatching_posted_ = true;  // a posted key report carries no readable address
      DispatchMessageA(&msg);
      dispatching_posted_ = false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

bool RecordingWindow::PumpUntil(UINT message, size_t count, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  while (Count(message) < count) {
    if (GetTickCount() - start > timeout_ms) return false;
    Pump(5);
  }
  return true;
}

size_t RecordingWindow::Count(UINT message) const {
  size_t count = 0;
  for (const auto& record : messages_) count += record.message == message ? 1 : 0;
  return count;
}

}  // namespace kbdsim
