// The floor of the key road for scripts/bench-road: a process that reads a simulated
// keyboard's pipe with a plain overlapped read loop (kbdsim::BareReader), sends each report to
// its own window on its main thread and posts it on to the hot-key handler's window as the
// bridge does (looked up anew, wParam the given index, lParam the first four bytes). No
// library or bridge code.
//   bare_bridge <pipe path> <index>
// Ends when its window is closed.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "bare_reader.h"

namespace {

constexpr UINT kKeyReportMessage = 0x500;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kKeyReportMessage && lparam) {
    const BYTE* report = reinterpret_cast<const BYTE*>(lparam);
    HWND handler = FindWindowA("AfxFrameOrView42sud", "ZOKHkWND");
    DWORD value = report[0] | report[1] << 8 | report[2] << 16 | static_cast<DWORD>(report[3]) << 24;
    if (handler) PostMessageA(handler, kKeyReportMessage, wparam, static_cast<LPARAM>(value));
    return 1;
  }
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.lpszClassName = "BareBridge";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "BareBridge", "BareBridge", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
  auto reader = std::make_unique<kbdsim::BareReader>(__argv[1], window, kKeyReportMessage,
                                                     strtoul(__argv[2], nullptr, 0));
  if (!reader->started()) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  reader.reset();
  return 0;
}
