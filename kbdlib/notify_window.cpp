#include "notify_window.h"

#include "reader.h"

HWND NotifyWindow = nullptr;

namespace {

NotifyWindowHandlers handlers = {};
bool wide_names = false;

}  // namespace

int CreateNotifyWindow(HINSTANCE module, bool wide, const NotifyWindowHandlers& given) {
  handlers = given;
  wide_names = wide;
  WNDCLASSA window_class = {};
  window_class.style = CS_PARENTDC;
  window_class.lpfnWndProc = NotifyWndProc;
  window_class.hInstance = module;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszMenuName = "";
  window_class.lpszClassName = contracts::kLibraryWindowClass;
  if (!RegisterClassA(&window_class)) return 0;
  NotifyWindow = CreateWindowExA(0, contracts::kLibraryWindowClass, contracts::kLibraryWindowTitle, WS_POPUP, 0,
                                 0, 0, 0, nullptr, nullptr, module, nullptr);
  ShowWindow(NotifyWindow, SW_HIDE);
  // The idle loop runs until the process ends; its handle is not needed.
  HANDLE idle = CreateThread(nullptr, 0, IdleMessageLoop, nullptr, 0, nullptr);
  if (idle) CloseHandle(idle);
  return 1;
}

DWORD WINAPI IdleMessageLoop(LPVOID) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_DEVICECHANGE:
      if (handlers.device_change) handlers.device_change(ReadDeviceChange(wparam, lparam, wide_names));
      return 0;
    case contracts::kReaderReportMessage:
      if (handlers.reader_report) handlers.reader_report(wparam, lparam);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}
