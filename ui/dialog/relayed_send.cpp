#include "relayed_send.h"

namespace dialog {

namespace {

// The watched message being handled by the watched window, innermost first.
struct Relay {
  WPARAM wParam;
  LPARAM lParam;
  bool taken;
  Relay* outer;
};

// The window whose procedure is wrapped on this thread (at most one while it lives).
struct WatchedWindow {
  HWND window;        // wrapped by WatchingProcedure; null when no window is
  WNDPROC procedure;  // the window's own procedure, called by the wrapper
  UINT message;
  bool watching;      // false: the wrapper only passes every message on
  Relay* relay;       // non-null while the window handles the watched message
};

thread_local WatchedWindow watched = {};

LRESULT CALLBACK WatchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!watched.watching || window != watched.window || message != watched.message)
    return CallWindowProcA(watched.procedure, window, message, wParam, lParam);
  Relay relay = {wParam, lParam, false, watched.relay};
  watched.relay = &relay;
  LRESULT result = CallWindowProcA(watched.procedure, window, message, wParam, lParam);
  watched.relay = relay.outer;
  return result;
}

bool WrapperOnTop(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == WatchingProcedure;
}

}  // namespace

bool RelayWatch::Watch(HWND window, UINT message) {
  if (watching_ || watched.watching || !window ||
      GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
    return false;
  }
  // A wrapper that an earlier watch had to leave in place (another was put over it) is used
  // again for its own window; while it lives, no other window can be watched.
  if (watched.window != window) {
    if (watched.window && IsWindow(watched.window)) return false;
    watched.procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchingProcedure));
    watched.window = window;
  }
  watched.message = message;
  watched.relay = nullptr;
  watched.watching = true;
  watching_ = true;
  return true;
}

RelayWatch::~RelayWatch() {
  if (!watching_) return;
  watched.watching = false;
  watched.relay = nullptr;
  if (IsWindow(watched.window) && WrapperOnTop(watched.window)) {
    SetWindowLongPtrA(watched.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watched.procedure));
    watched.window = nullptr;
  }
}

bool TakeRelayed(WPARAM wParam, LPARAM lParam) {
  Relay* relay = watched.relay;
  if (!watched.watching || !relay || relay->taken || relay->lParam != lParam ||
      LOWORD(relay->wParam) != wParam) {
    return false;
  }
  relay->taken = true;
  return true;
}

}  // namespace dialog
