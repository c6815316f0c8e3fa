// Baseline of the configuration program's start benchmark: a bare Win32 program that creates
// one window, shows it and runs its message loop until the window is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = BareProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = L"BareWindow";
  RegisterClassW(&window_class);
  HWND window = CreateWindowW(L"BareWindow", L"bare", WS_OVERLAPPEDWINDOW, 0, 0, 457, 530, nullptr,
                              nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
