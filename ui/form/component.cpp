#include "component.h"

#include <commctrl.h>

#include <mutex>
#include <unordered_map>

#include "application.h"
#include "form.h"
#include "text.h"

namespace form {

namespace {

// The control of each of our windows. Looked up on every message a control gets, so it lives
// in the process (a window property would cost a round trip to the window server under Wine).
std::mutex controls_lock;
std::unordered_map<HWND, Control*> controls_by_handle;

void EnterControl(HWND hwnd, Control* control) {
  std::lock_guard<std::mutex> hold(controls_lock);
  controls_by_handle[hwnd] = control;
}

void RemoveControl(HWND hwnd) {
  std::lock_guard<std::mutex> hold(controls_lock);
  controls_by_handle.erase(hwnd);
}

// Every control of a process gets its own command identifier, away from IDOK and IDCANCEL.
int NextControlId() {
  static int next_id = 1000;
  return next_id++;
}

}  // namespace

void ShowException(const std::exception& error) {
  if (Application* app = Application::Instance()) {
    app->ShowException(error);
  } else {
    MessageBoxA(nullptr, error.what(), "Error", MB_OK | MB_ICONERROR);
  }
}

Control::Control(Form* owner, const ComponentRow& row) : Component(owner, row.name, row.kind) {}

Control::~Control() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

Control* Control::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  std::lock_guard<std::mutex> hold(controls_lock);
  const auto found = controls_by_handle.find(hwnd);
  return found == controls_by_handle.end() ? nullptr : found->second;
}

HWND Control::ParentHandle() const { return parent_ ? parent_->Handle() : Owner().Handle(); }

void Control::CreateWindowFor(const ComponentRow& row, Control* parent, const wchar_t* window_class,
                              DWORD style, DWORD ex_style) {
  parent_ = parent;
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (row.visible) style |= WS_VISIBLE;
  if (row.tab_stop) style |= WS_TABSTOP;
  if (!row.enabled) style |= WS_DISABLED;
  hwnd_ = CreateWindowExW(ex_style, window_class, row.text.c_str(), style, row.left, row.top, row.width,
                          row.height, ParentHandle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId())),
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) throw Error("Cannot create the window of " + row.name);
  EnterControl(hwnd_, this);
  original_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::SubclassProc)));

  // A row without a font of its own copies its parent's font; a FontAttributes overrides parts of it.
  font_.Assign(parent ? parent->Font() : Owner().Font());
  if (row.has_font) {
    if (!row.font.face.empty()) font_.SetName(row.font.face);
    if (row.font.height != 0) font_.SetHeight(row.font.height);
    if (row.font.charset >= 0) font_.SetCharset(row.font.charset);
  }
  font_.SetOnChange([this] { ApplyFont(); });
  ApplyFont();
  show_hint_ = row.show_hint;
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  Control* control = FromHandle(hwnd);
  if (!control) return DefWindowProcW(hwnd, msg, wparam, lparam);
  if (msg == WM_NCDESTROY) {
    WNDPROC original = control->original_proc_;
    RemoveControl(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    control->hwnd_ = nullptr;
    return CallWindowProcW(original, hwnd, msg, wparam, lparam);
  }
  if (msg == WM_SETFOCUS) control->Owner().NoteFocus(hwnd);
  return GuardWindowProc([&] { return control->WindowProc(msg, wparam, lparam); });
}

LRESULT Control::WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (ReflectToControl(msg, wparam, lparam, &result)) return result;
  return CallOriginal(msg, wparam, lparam);
}

LRESULT Control::CallOriginal(UINT msg, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcW(original_proc_, hwnd_, msg, wparam, lparam);
}

HBRUSH Control::HandleColor(HDC dc) {
  ::SetTextColor(dc, font_.Color());
  return nullptr;
}

bool ReflectToControl(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND:
      if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lparam))) {
        child->HandleCommand(HIWORD(wparam));
        *result = 0;
        return true;
      }
      return false;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lparam))) {
        child->HandleScroll(LOWORD(wparam));
        *result = 0;
        return true;
      }
      return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lparam))) {
        if (HBRUSH brush = child->HandleColor(reinterpret_cast<HDC>(wparam))) {
          *result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

void Control::ApplyFont() {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

static RECT RectInParent(HWND hwnd, HWND parent) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Control::Left() const { return RectInParent(hwnd_, ParentHandle()).left; }
int Control::Top() const { return RectInParent(hwnd_, ParentHandle()).top; }
int Control::Width() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect.right - rect.left;
}
int Control::Height() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect.bottom - rect.top;
}

void Control::SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
void Control::SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
void Control::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
void Control::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void Control::SetBounds(int left, int top, int width, int height) {
  // A move to where the control already stands would only cost messages and a redraw.
  const RECT now = RectInParent(hwnd_, ParentHandle());
  if (now.left == left && now.top == top && now.right - now.left == width && now.bottom - now.top == height)
    return;
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Control::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

// A control hidden or disabled while it (or a window inside it) holds the focus gives the focus
// to its form, which hands it to its first control in tab order: the platform alone would leave
// the focus nowhere, and the keyboard would do nothing.
void Control::SetVisible(bool visible) {
  const bool had_focus = !visible && HoldsFocus();
  ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  if (had_focus) Owner().RegainFocus();
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Control::SetEnabled(bool enabled) {
  const bool had_focus = !enabled && HoldsFocus();
  EnableWindow(hwnd_, enabled ? TRUE : FALSE);
  if (had_focus) Owner().RegainFocus();
}

bool Control::HoldsFocus() const {
  const HWND focus = GetFocus();
  return focus && (focus == hwnd_ || IsChild(hwnd_, focus));
}

std::wstring Control::Text() const {
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(length + 1, L'\0');
  int copied = GetWindowTextW(hwnd_, &text[0], length + 1);
  text.resize(copied > 0 ? copied : 0);
  return text;
}

void Control::SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }

void Control::SetTextA(const std::string& text) { SetText(CodePageToWide(text)); }

std::string Control::TextA() const { return WideToCodePage(Text()); }

void Control::SetHint(const std::wstring& hint) {
  hint_ = hint;
  UpdateTool();
}

void Control::SetShowHint(bool show) {
  show_hint_ = show;
  UpdateTool();
}

void Control::UpdateTool() {
  HWND tooltip = Owner().HintWindow();
  if (!tooltip || !hwnd_) return;
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = ParentHandle();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = const_cast<wchar_t*>(hint_.c_str());
  bool wanted = show_hint_ && !hint_.empty();
  if (wanted && !tool_added_) {
    tool_added_ = SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
  } else if (wanted) {
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (tool_added_) {
    SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tool_added_ = false;
  }
}

// Noted first: a form that cannot take the focus now (disabled while another form is shown
// modally) gives it to this control when it becomes active again.
void Control::SetFocus() {
  Owner().NoteFocus(hwnd_);
  ::SetFocus(hwnd_);
}

bool Control::Focused() const { return GetFocus() == hwnd_; }

}  // namespace form
