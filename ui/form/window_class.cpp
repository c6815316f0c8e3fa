#include "window_class.h"

#include <set>
#include <string>

namespace form {

void RegisterChildWindowClass(const wchar_t* name) {
  static std::set<std::wstring> registered;
  if (!registered.insert(name).second) return;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  RegisterClassW(&window_class);
}

}  // namespace form
