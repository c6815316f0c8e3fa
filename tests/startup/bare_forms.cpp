// Second floor of the configuration program's start benchmark: a bare Win32 program that
// creates the windows the program creates (the application window, the main window and the four
// dialogs, each with its hint window, and one plain child window per layout row, of the same
// window class and in the same parent), from the product's own layout tables, with plain
// CreateWindowEx: no fonts, pictures, texts from files or handlers. It shows the main window and
// runs its message loop until that window is closed.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "dialogs/about_dialog.h"
#include "dialogs/configure_buttons_dialog.h"
#include "dialogs/create_theme_dialog.h"
#include "dialogs/view_functions_dialog.h"
#include "main_window/main_window_layout.h"

namespace {

const wchar_t kPlainClass[] = L"BarePlain";  // panels and pictures: windows of the program's own class

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

void RegisterPlainClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  RegisterClassW(&window_class);
}

struct ChildClass {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style;
};

// The window class and basic style the program gives each kind of row; image lists have no
// window.
bool ClassOf(form::Kind kind, ChildClass* child) {
  switch (kind) {
    case form::Kind::kPanel: *child = {kPlainClass, WS_CLIPCHILDREN, 0}; return true;
    case form::Kind::kGroupBox: *child = {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0}; return true;
    case form::Kind::kButton: *child = {L"BUTTON", BS_PUSHBUTTON, 0}; return true;
    case form::Kind::kCheckBox: *child = {L"BUTTON", BS_CHECKBOX, 0}; return true;
    case form::Kind::kRadioButton: *child = {L"BUTTON", BS_RADIOBUTTON, 0}; return true;
    case form::Kind::kLabel: *child = {L"STATIC", SS_LEFTNOWORDWRAP, 0}; return true;
    case form::Kind::kEdit: *child = {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE}; return true;
    case form::Kind::kComboBox: *child = {L"COMBOBOX", CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL, 0}; return true;
    case form::Kind::kListBox: *child = {L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE}; return true;
    case form::Kind::kScrollBar: *child = {L"SCROLLBAR", SBS_VERT, 0}; return true;
    case form::Kind::kImage: *child = {kPlainClass, 0, 0}; return true;
    default: return false;
  }
}

// The form's window, its hint window and one child per row; returns the form's window.
HWND CreateForm(const form::Layout& layout, WNDPROC procedure) {
  const std::wstring class_name = L"Bare" + layout.form.class_name;
  RegisterPlainClass(class_name.c_str(), procedure);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD ex_style = layout.form.border == form::BorderStyle::kDialog ? WS_EX_DLGMODALFRAME : 0;
  RECT outer{0, 0, layout.form.client_width, layout.form.client_height};
  AdjustWindowRectEx(&outer, style, FALSE, ex_style);
  HWND window = CreateWindowExW(ex_style, class_name.c_str(), layout.form.caption.c_str(), style, layout.form.left,
                                layout.form.top, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  std::map<std::string, HWND> windows;
  int id = 1000;
  for (const form::ComponentRow& row : layout.rows) {
    ChildClass child;
    if (!ClassOf(row.kind, &child)) continue;
    DWORD child_style = child.style | WS_CHILD | WS_CLIPSIBLINGS;
    if (row.visible) child_style |= WS_VISIBLE;
    if (row.tab_stop) child_style |= WS_TABSTOP;
    if (!row.enabled) child_style |= WS_DISABLED;
    HWND parent = row.parent.empty() ? window : windows[row.parent];
    windows[row.name] =
        CreateWindowExW(child.ex_style, child.name, row.text.c_str(), child_style, row.left, row.top, row.width,
                        row.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                        GetModuleHandleW(nullptr), nullptr);
  }
  return window;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterPlainClass(kPlainClass, DefWindowProcW);
  RegisterPlainClass(L"BareApplication", DefWindowProcW);
  CreateWindowExW(WS_EX_TOOLWINDOW, L"BareApplication", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                  nullptr);
  // The program's order: the main window, then Create New Theme, Configure Buttons, About and
  // View Functions.
  HWND main = CreateForm(MainWindowLayout(false), MainProc);
  CreateForm(CreateThemeLayout(), DefWindowProcW);
  CreateForm(ConfigureButtonsLayout(), DefWindowProcW);
  CreateForm(AboutDialogLayout(), DefWindowProcW);
  CreateForm(ViewFunctionsLayout(), DefWindowProcW);
  ShowWindow(main, SW_SHOW);  // as the program shows its main window
  BringWindowToTop(main);
  SetForegroundWindow(main);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
