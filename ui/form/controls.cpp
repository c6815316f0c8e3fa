#include "controls.h"

#include <vector>

#include "error.h"
#include "form.h"
#include "window_class.h"

namespace form {

namespace {

const wchar_t kPanelClass[] = L"FormPanel";

UINT EdgeOf(Bevel inner, Bevel outer) {
  UINT edge = 0;
  if (outer == Bevel::kRaised) edge |= BDR_RAISEDOUTER;
  if (outer == Bevel::kLowered) edge |= BDR_SUNKENOUTER;
  if (inner == Bevel::kRaised) edge |= BDR_RAISEDINNER;
  if (inner == Bevel::kLowered) edge |= BDR_SUNKENINNER;
  return edge;
}

unsigned CurrentShiftState() {
  unsigned shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlKey;
  return shift;
}

HBRUSH FaceColoured(HDC dc, COLORREF text_colour) {
  SetTextColor(dc, text_colour);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace

// Panel ----------------------------------------------------------------------------------

Panel::Panel(Form* owner, const ComponentRow& row, Control* parent)
    : Control(owner, row), inner_(row.bevel_inner), outer_(row.bevel_outer) {
  RegisterChildWindowClass(kPanelClass);
  // A control parent: the dialog manager's Tab walk goes into its children.
  CreateWindowFor(row, parent, kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

LRESULT Panel::WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    RECT rect;
    GetClientRect(Handle(), &rect);
    if (UINT edge = EdgeOf(inner_, outer_)) DrawEdge(dc, &rect, edge, BF_RECT);
    EndPaint(Handle(), &paint);
    return 0;
  }
  return Control::WindowProc(msg, wparam, lparam);
}

// GroupBox -------------------------------------------------------------------------------

GroupBox::GroupBox(Form* owner, const ComponentRow& row, Control* parent) : Control(owner, row) {
  ComponentRow box = row;
  box.tab_stop = false;
  CreateWindowFor(box, parent, L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

LRESULT GroupBox::WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  // A group box lets clicks fall through to what lies below it; its children must get them.
  if (msg == WM_NCHITTEST) return HTCLIENT;
  // A group box paints only its frame and caption; its inside is the parent's face colour.
  if (msg == WM_ERASEBKGND) {
    RECT rect;
    GetClientRect(Handle(), &rect);
    FillRect(reinterpret_cast<HDC>(wparam), &rect, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return Control::WindowProc(msg, wparam, lparam);
}

// Button ---------------------------------------------------------------------------------

Button::Button(Form* owner, const ComponentRow& row, Control* parent) : Control(owner, row) {
  CreateWindowFor(row, parent, L"BUTTON", BS_PUSHBUTTON);
}

void Button::Click() {
  if (OnClick) OnClick(*this);
}

void Button::HandleCommand(WORD code) {
  if (code == BN_CLICKED) Click();
}

// The focused push button is the default one, the button the dialog manager's Enter presses;
// with the focus elsewhere no button is, so Enter presses none. The dialog manager's own
// restyling on Tab leaves the focused button as the default.
LRESULT Button::WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = Control::WindowProc(msg, wparam, lparam);
      CallOriginal(BM_SETSTYLE, msg == WM_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      return result;
    }
    case BM_SETSTYLE:
      if (Focused()) wparam = (wparam & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON;
      break;
    default:
      break;
  }
  return Control::WindowProc(msg, wparam, lparam);
}

// CheckBox -------------------------------------------------------------------------------

CheckBox::CheckBox(Form* owner, const ComponentRow& row, Control* parent) : Control(owner, row) {
  CreateWindowFor(row, parent, L"BUTTON", BS_CHECKBOX);
  checked_ = row.checked;
  SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
  if (OnClick) OnClick(*this);
}

void CheckBox::SetCaptionOnRight(bool right) {
  LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  style = right ? (style & ~BS_LEFTTEXT) : (style | BS_LEFTTEXT);
  SetWindowLongW(Handle(), GWL_STYLE, style);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CheckBox::HandleCommand(WORD code) {
  if (code == BN_CLICKED) SetChecked(!checked_);
}

HBRUSH CheckBox::HandleColor(HDC dc) { return FaceColoured(dc, Font().Color()); }

// RadioButton ----------------------------------------------------------------------------

RadioButton::RadioButton(Form* owner, const ComponentRow& row, Control* parent)
    : Control(owner, row), tab_stop_(row.tab_stop) {
  CreateWindowFor(row, parent, L"BUTTON", BS_RADIOBUTTON);
  SetChecked(row.checked);
}

void RadioButton::SetChecked(bool checked) {
  checked_ = checked;
  SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
  // Tab enters a radio group at its checked button; the arrow keys move within the group.
  const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  const LONG wanted = checked_ && tab_stop_ ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  if (wanted != style) SetWindowLongW(Handle(), GWL_STYLE, wanted);
  if (!checked) return;
  for (Component* component : Owner().Components()) {
    auto* sibling = dynamic_cast<RadioButton*>(component);
    if (sibling && sibling != this && sibling->Parent() == Parent() && sibling->checked_) {
      sibling->SetChecked(false);
    }
  }
}

void RadioButton::Click() {
  SetChecked(true);
  if (OnClick) OnClick(*this);
}

void RadioButton::HandleCommand(WORD code) {
  if (code == BN_CLICKED) Click();
}

RadioButton* RadioButton::Neighbour(int step) const {
  // The group's buttons that can be chosen, in tab order (their order among the siblings).
  std::vector<RadioButton*> group;
  int own = -1;
  for (HWND sibling = GetWindow(GetParent(Handle()), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    auto* radio = dynamic_cast<RadioButton*>(Control::FromHandle(sibling));
    if (!radio || !IsWindowVisible(sibling) || !IsWindowEnabled(sibling)) continue;
    if (radio == this) own = static_cast<int>(group.size());
    group.push_back(radio);
  }
  if (own < 0 || group.size() < 2) return nullptr;
  const int count = static_cast<int>(group.size());
  return group[(own + step + count) % count];
}

LRESULT RadioButton::WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_GETDLGCODE) return Control::WindowProc(msg, wparam, lparam) | DLGC_WANTARROWS;
  if (msg == WM_KEYDOWN && (wparam == VK_UP || wparam == VK_DOWN || wparam == VK_LEFT || wparam == VK_RIGHT)) {
    // As a user's click on the next button of the group in that direction, wrapping round.
    const int step = wparam == VK_UP || wparam == VK_LEFT ? -1 : 1;
    if (RadioButton* next = Neighbour(step)) {
      next->Click();
      next->SetFocus();
    }
    return 0;
  }
  return Control::WindowProc(msg, wparam, lparam);
}

HBRUSH RadioButton::HandleColor(HDC dc) { return FaceColoured(dc, Font().Color()); }

// Label ----------------------------------------------------------------------------------

Label::Label(Form* owner, const ComponentRow& row, Control* parent)
    : Control(owner, row), transparent_(row.transparent) {
  ComponentRow label = row;
  label.tab_stop = false;
  CreateWindowFor(label, parent, L"STATIC", (row.word_wrap ? SS_LEFT : SS_LEFTNOWORDWRAP) | SS_NOTIFY);
  SetShowHint(row.show_hint);
}

void Label::SetShowAccelChar(bool show) {
  LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  style = show ? (style & ~SS_NOPREFIX) : (style | SS_NOPREFIX);
  SetWindowLongW(Handle(), GWL_STYLE, style);
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool Label::ShowAccelChar() const { return (GetWindowLongW(Handle(), GWL_STYLE) & SS_NOPREFIX) == 0; }

HBRUSH Label::HandleColor(HDC dc) {
  HBRUSH brush = FaceColoured(dc, Font().Color());
  if (transparent_) SetBkMode(dc, TRANSPARENT);
  return brush;
}

// Edit -----------------------------------------------------------------------------------

Edit::Edit(Form* owner, const ComponentRow& row, Control* parent) : Control(owner, row), last_text_(row.text) {
  CreateWindowFor(row, parent, L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE);
}

void Edit::HandleCommand(WORD code) {
  if (code != EN_CHANGE) return;
  std::wstring now = Text();
  if (now == last_text_) return;
  last_text_ = now;
  if (OnChange) OnChange(*this);
}

// No button of these forms takes Enter or Escape while an edit field has the focus (a button is
// the default one only while focused, and none is a cancel button), so both keys reach the
// field and its key events; Tab and Shift+Tab stay the form's focus walk.
namespace {
bool IsEnterOrEscapeDown(LPARAM lparam) {
  const auto* message = reinterpret_cast<const MSG*>(lparam);
  return message && message->message == WM_KEYDOWN && (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE);
}
}  // namespace

LRESULT Edit::WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_GETDLGCODE && IsEnterOrEscapeDown(lparam))
    return Control::WindowProc(msg, wparam, lparam) | DLGC_WANTMESSAGE;
  const KeyEvent* handler = nullptr;
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) handler = &OnKeyDown;
  if (msg == WM_KEYUP || msg == WM_SYSKEYUP) handler = &OnKeyUp;
  if (handler && *handler) {
    WORD key = static_cast<WORD>(wparam);
    (*handler)(*this, key, CurrentShiftState());
    if (key == 0) return 0;
    wparam = key;
  }
  return Control::WindowProc(msg, wparam, lparam);
}

// ItemList -------------------------------------------------------------------------------

int ItemList::Count() const {
  return static_cast<int>(SendMessageW(ListHandle(), messages_.count, 0, 0));
}

void ItemList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw Error("List index out of bounds (" + std::to_string(index) + ")");
}

std::wstring ItemList::Item(int index) const {
  CheckIndex(index);
  LRESULT length = SendMessageW(ListHandle(), messages_.get_text_length, index, 0);
  std::wstring text(length > 0 ? length + 1 : 1, L'\0');
  LRESULT copied = SendMessageW(ListHandle(), messages_.get_text, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied > 0 ? copied : 0);
  return text;
}

void ItemList::SetItem(int index, const std::wstring& text) {
  CheckIndex(index);
  int selected = ItemIndex();
  Delete(index);
  Insert(index, text);
  if (selected >= 0) SetItemIndex(selected);
}

int ItemList::Add(const std::wstring& text) {
  LRESULT index = SendMessageW(ListHandle(), messages_.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) throw Error("Cannot add a list item");
  return static_cast<int>(index);
}

void ItemList::Insert(int index, const std::wstring& text) {
  if (index < 0 || index > Count()) throw Error("List index out of bounds (" + std::to_string(index) + ")");
  LRESULT result = SendMessageW(ListHandle(), messages_.insert, index, reinterpret_cast<LPARAM>(text.c_str()));
  if (result < 0) throw Error("Cannot insert a list item");
}

void ItemList::Delete(int index) {
  CheckIndex(index);
  SendMessageW(ListHandle(), messages_.remove, index, 0);
}

void ItemList::Clear() { SendMessageW(ListHandle(), messages_.reset, 0, 0); }

int ItemList::ItemIndex() const {
  LRESULT index = SendMessageW(ListHandle(), messages_.get_selection, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void ItemList::SetItemIndex(int index) {
  if (index < 0 || index >= Count()) index = -1;
  SendMessageW(ListHandle(), messages_.set_selection, static_cast<WPARAM>(index), 0);
}

void ItemList::BeginUpdate() {
  visible_before_update_ = (GetWindowLongW(ListHandle(), GWL_STYLE) & WS_VISIBLE) != 0;
  SendMessageW(ListHandle(), WM_SETREDRAW, FALSE, 0);
}

void ItemList::EndUpdate() {
  SendMessageW(ListHandle(), WM_SETREDRAW, TRUE, 0);
  // Switching the redraw may pass through the default handling, which sets or clears the
  // visible style: the list keeps the visibility it had.
  const LONG style = GetWindowLongW(ListHandle(), GWL_STYLE);
  const LONG kept = visible_before_update_ ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE);
  if (kept != style) SetWindowLongW(ListHandle(), GWL_STYLE, kept);
  if (visible_before_update_) InvalidateRect(ListHandle(), nullptr, TRUE);
}

// ComboBox -------------------------------------------------------------------------------

namespace {
// Room below the selection field for the dropped-down list.
const int kDropDownHeight = 200;
}  // namespace

ComboBox::ComboBox(Form* owner, const ComponentRow& row, Control* parent)
    : Control(owner, row),
      ItemList({CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
                CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL}) {
  ComponentRow combo = row;
  combo.height = row.height + kDropDownHeight;
  CreateWindowFor(combo, parent, L"COMBOBOX", CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL);
  if (row.item_height > 0) SetItemHeight(row.item_height);
}

int ComboBox::FindExact(const std::wstring& text) const {
  LRESULT index = SendMessageW(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text.c_str()));
  return index < 0 ? -1 : static_cast<int>(index);
}

void ComboBox::SetBounds(int left, int top, int width, int height) {
  Control::SetBounds(left, top, width, height + kDropDownHeight);
}

void ComboBox::SetItemHeight(int height) { SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height); }

void ComboBox::HandleCommand(WORD code) {
  if (code == CBN_SELCHANGE && OnClick) OnClick(*this);
}

// ListBox --------------------------------------------------------------------------------

ListBox::ListBox(Form* owner, const ComponentRow& row, Control* parent)
    : Control(owner, row),
      ItemList({LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
                LB_RESETCONTENT, LB_GETCURSEL, LB_SETCURSEL}) {
  CreateWindowFor(row, parent, L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE);
}

// ScrollBar ------------------------------------------------------------------------------

ScrollBar::ScrollBar(Form* owner, const ComponentRow& row, Control* parent) : Control(owner, row) {
  CreateWindowFor(row, parent, L"SCROLLBAR", SBS_VERT);
  ApplyRange();
}

void ScrollBar::ApplyRange() {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = min_;
  info.nMax = max_;
  info.nPage = 0;
  SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

int ScrollBar::Position() const { return GetScrollPos(Handle(), SB_CTL); }

void ScrollBar::SetMin(int min) {
  min_ = min;
  ApplyRange();
}

void ScrollBar::SetMax(int max) {
  max_ = max;
  ApplyRange();
}

void ScrollBar::SetPosition(int position) {
  if (position < min_) position = min_;
  if (position > max_) position = max_;
  SetScrollPos(Handle(), SB_CTL, position, TRUE);
}

void ScrollBar::Scroll(int code, int thumb_position) {
  int position = Position();
  switch (code) {
    case SB_LINEUP: position -= small_change_; break;
    case SB_LINEDOWN: position += small_change_; break;
    case SB_PAGEUP: position -= large_change_; break;
    case SB_PAGEDOWN: position += large_change_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = thumb_position; break;
    case SB_TOP: position = min_; break;
    case SB_BOTTOM: position = max_; break;
    default: break;
  }
  if (position < min_) position = min_;
  if (position > max_) position = max_;
  if (OnScroll) OnScroll(*this, code, position);
  SetPosition(position);
}

void ScrollBar::HandleScroll(WORD code) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(Handle(), SB_CTL, &info);
  Scroll(code, info.nTrackPos);
}

}  // namespace form
