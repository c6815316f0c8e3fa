#include "form.h"

#include <commctrl.h>

#include <algorithm>

#include "text.h"

namespace form {

namespace {

const wchar_t kDefaultFormClass[] = L"FormWindow";

void RegisterFormClass(const std::wstring& name, WNDPROC procedure) {
  WNDCLASSW existing{};
  if (GetClassInfoW(GetModuleHandleW(nullptr), name.c_str(), &existing)) return;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  window_class.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  if (!window_class.hIcon) window_class.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name.c_str();
  RegisterClassW(&window_class);
}

// The handler a row names for one of its events; none for an empty name. A name the set lacks
// is a fault of the layout or of the window's handler table, so the form is not built.
template <class Map>
typename Map::mapped_type Resolve(const Map& map, const std::string& name, const std::string& owner,
                                  const std::string& component) {
  if (name.empty()) return {};
  auto found = map.find(name);
  if (found == map.end()) throw Error(owner + ": no handler " + name + " for " + component);
  return found->second;
}

// The rows of one parent in tab order: those that state a tab order first, by it, then the
// others in table order.
std::vector<const ComponentRow*> ChildrenInTabOrder(const std::vector<ComponentRow>& rows,
                                                    const std::string& parent) {
  std::vector<const ComponentRow*> children;
  for (const ComponentRow& row : rows)
    if (row.parent == parent) children.push_back(&row);
  std::stable_sort(children.begin(), children.end(), [](const ComponentRow* a, const ComponentRow* b) {
    if (a->tab_order < 0 || b->tab_order < 0) return a->tab_order >= 0 && b->tab_order < 0;
    return a->tab_order < b->tab_order;
  });
  return children;
}

// A handler name on a row whose kind has no such event would be bound to nothing.
void CheckEventsOfKind(const ComponentRow& row, const std::string& owner) {
  const bool clicks = row.kind == Kind::kButton || row.kind == Kind::kCheckBox ||
                      row.kind == Kind::kRadioButton || row.kind == Kind::kComboBox;
  const bool edits = row.kind == Kind::kEdit;
  const bool scrolls = row.kind == Kind::kScrollBar;
  const struct {
    const std::string& name;
    bool bound;
  } events[] = {{row.on_click, clicks}, {row.on_change, edits}, {row.on_key_down, edits},
                {row.on_key_up, edits}, {row.on_scroll, scrolls}};
  for (const auto& event : events)
    if (!event.name.empty() && !event.bound)
      throw Error(owner + ": " + row.name + " has no event for the handler " + event.name);
}

bool StatesATabOrder(const std::vector<ComponentRow>& rows, const std::string& parent) {
  return std::any_of(rows.begin(), rows.end(),
                     [&](const ComponentRow& row) { return row.parent == parent && row.tab_order >= 0; });
}

// Whether the focus can go to the window: it and every window above it up to the form are
// visible and enabled.
bool CanTakeFocus(HWND form, HWND window) {
  if (!window || !IsChild(form, window) || !IsWindowVisible(window)) return false;
  for (HWND up = window; up && up != form; up = GetParent(up))
    if (!IsWindowEnabled(up)) return false;
  return true;
}

}  // namespace

Form::Form(Application& app, const Layout& layout, const Handlers& handlers)
    : Component(this, layout.form.name, Kind::kForm), app_(app) {
  const FontAttributes& font = layout.form.font;
  if (!font.face.empty()) font_.SetName(font.face);
  if (font.height != 0) font_.SetHeight(font.height);
  if (font.charset >= 0) font_.SetCharset(font.charset);
  CreateFormWindow(layout.form);
  app_.AddForm(this);
  try {
    for (const ComponentRow& row : layout.rows) BuildComponent(row, handlers);
    ApplyTabOrder(layout.rows);
    const std::string& name = layout.form.name;
    OnCreate = Resolve(handlers.notify, layout.form.on_create, name, "the create event");
    OnShow = Resolve(handlers.notify, layout.form.on_show, name, "the show event");
    OnResize = Resolve(handlers.notify, layout.form.on_resize, name, "the resize event");
    OnDestroy = Resolve(handlers.notify, layout.form.on_destroy, name, "the destroy event");
  } catch (...) {
    // No destructor runs for a form whose construction failed.
    DestroyForm();
    app_.RemoveForm(this);
    throw;
  }
}

Form::~Form() {
  DestroyForm();
  app_.RemoveForm(this);
}

void Form::DestroyForm() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void Form::CreateFormWindow(const FormRow& window) {
  std::wstring class_name = window.class_name.empty() ? std::wstring(kDefaultFormClass) : window.class_name;
  RegisterFormClass(class_name, &Form::FormProc);
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD ex_style = window.border == BorderStyle::kDialog ? WS_EX_DLGMODALFRAME : 0;
  RECT outer{0, 0, window.client_width, window.client_height};
  AdjustWindowRectEx(&outer, style, FALSE, ex_style);
  hwnd_ = CreateWindowExW(ex_style, class_name.c_str(), window.caption.c_str(), style, window.left, window.top,
                          outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                          GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw Error("Cannot create the window of " + window.name);
  // The frame the system really draws may differ from AdjustWindowRectEx's guess.
  SetClientWidth(window.client_width);
  SetClientHeight(window.client_height);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (tooltip_) SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(app_.HintFont().Handle()), FALSE);
}

Control* Form::ParentFor(const ComponentRow& row) const {
  if (row.parent.empty()) return nullptr;
  auto* parent = dynamic_cast<Control*>(Find(row.parent));
  if (!parent) throw Error("Parent \"" + row.parent + "\" of " + row.name + " must come first");
  return parent;
}

void Form::BuildComponent(const ComponentRow& row, const Handlers& handlers) {
  if (Find(row.name)) throw Error("Two components named " + row.name);
  CheckEventsOfKind(row, Name());
  Control* parent = ParentFor(row);
  std::unique_ptr<Component> component;
  switch (row.kind) {
    case Kind::kPanel: component = std::make_unique<Panel>(this, row, parent); break;
    case Kind::kGroupBox: component = std::make_unique<GroupBox>(this, row, parent); break;
    case Kind::kButton: {
      auto button = std::make_unique<Button>(this, row, parent);
      button->OnClick = Resolve(handlers.notify, row.on_click, Name(), row.name);
      component = std::move(button);
      break;
    }
    case Kind::kCheckBox: {
      auto box = std::make_unique<CheckBox>(this, row, parent);
      box->OnClick = Resolve(handlers.notify, row.on_click, Name(), row.name);
      component = std::move(box);
      break;
    }
    case Kind::kRadioButton: {
      auto radio = std::make_unique<RadioButton>(this, row, parent);
      radio->OnClick = Resolve(handlers.notify, row.on_click, Name(), row.name);
      component = std::move(radio);
      break;
    }
    case Kind::kLabel: component = std::make_unique<Label>(this, row, parent); break;
    case Kind::kEdit: {
      auto edit = std::make_unique<Edit>(this, row, parent);
      edit->OnChange = Resolve(handlers.notify, row.on_change, Name(), row.name);
      edit->OnKeyDown = Resolve(handlers.key, row.on_key_down, Name(), row.name);
      edit->OnKeyUp = Resolve(handlers.key, row.on_key_up, Name(), row.name);
      component = std::move(edit);
      break;
    }
    case Kind::kComboBox: {
      auto combo = std::make_unique<ComboBox>(this, row, parent);
      combo->OnClick = Resolve(handlers.notify, row.on_click, Name(), row.name);
      component = std::move(combo);
      break;
    }
    case Kind::kListBox: component = std::make_unique<ListBox>(this, row, parent); break;
    case Kind::kScrollBar: {
      auto bar = std::make_unique<ScrollBar>(this, row, parent);
      bar->OnScroll = Resolve(handlers.scroll, row.on_scroll, Name(), row.name);
      component = std::move(bar);
      break;
    }
    case Kind::kImage: component = std::make_unique<Image>(this, row, parent); break;
    case Kind::kImageList: component = std::make_unique<ImageList>(this, row); break;
    case Kind::kForm: throw Error(row.name + ": a form cannot be a component of another");
  }
  index_[row.name] = component.get();
  order_.push_back(component.get());
  components_.push_back(std::move(component));
}

void Form::DestroyComponent(Component* component) {
  auto owned = std::find_if(components_.begin(), components_.end(),
                            [component](const std::unique_ptr<Component>& entry) { return entry.get() == component; });
  if (owned == components_.end()) return;
  for (Component* other : order_) {
    auto* control = dynamic_cast<Control*>(other);
    if (control && control->Parent() == component) throw Error(component->Name() + " still has children");
  }
  index_.erase(component->Name());
  order_.erase(std::find(order_.begin(), order_.end(), component));
  components_.erase(owned);
}

void Form::ApplyTabOrder(const std::vector<ComponentRow>& rows) {
  // A window's place among its siblings is its place in the dialog manager's Tab walk.
  std::vector<std::string> parents{""};
  for (const ComponentRow& row : rows)
    if (row.kind == Kind::kPanel || row.kind == Kind::kGroupBox) parents.push_back(row.name);
  for (const std::string& parent : parents) {
    if (!StatesATabOrder(rows, parent)) continue;
    for (const ComponentRow* row : ChildrenInTabOrder(rows, parent)) {
      if (auto* control = dynamic_cast<Control*>(Find(row->name)))
        SetWindowPos(control->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

bool Form::FocusActiveControl() {
  HWND target = CanTakeFocus(hwnd_, focus_) ? focus_ : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (!CanTakeFocus(hwnd_, target)) return false;
  // As the dialog manager does when it restores the focus: an edit field's text is selected.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
  if (GetFocus() != target) ::SetFocus(target);
  return true;
}

void Form::RegainFocus() {
  if (GetActiveWindow() == hwnd_) ::SetFocus(hwnd_);
}

Component* Form::Find(const std::string& name) const {
  auto found = index_.find(name);
  return found == index_.end() ? nullptr : found->second;
}

RECT Form::WindowRect() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

int Form::Left() const { return WindowRect().left; }
int Form::Top() const { return WindowRect().top; }
int Form::Width() const { return WindowRect().right - WindowRect().left; }
int Form::Height() const { return WindowRect().bottom - WindowRect().top; }
void Form::SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
void Form::SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
void Form::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
void Form::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void Form::SetBounds(int left, int top, int width, int height) {
  // A move to where the window already stands would only cost messages and a redraw.
  const RECT now = WindowRect();
  if (now.left == left && now.top == top && now.right - now.left == width && now.bottom - now.top == height)
    return;
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ClientWidth() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return rect.right;
}

int Form::ClientHeight() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return rect.bottom;
}

void Form::SetClientWidth(int width) { SetWidth(width + Width() - ClientWidth()); }

void Form::SetClientHeight(int height) { SetHeight(height + Height() - ClientHeight()); }

std::wstring Form::Caption() const {
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(length + 1, L'\0');
  int copied = GetWindowTextW(hwnd_, &text[0], length + 1);
  text.resize(copied > 0 ? copied : 0);
  return text;
}

void Form::SetCaption(const std::wstring& caption) { SetWindowTextW(hwnd_, caption.c_str()); }

void Form::SetCaptionA(const std::string& caption) { SetCaption(CodePageToWide(caption)); }

bool Form::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Form::Show(int command) {
  if (!Visible()) {
    // Each showing starts at the first control in tab order, unless the show handler chooses.
    focus_ = nullptr;
    RunEvent(OnShow);
  }
  ShowWindow(hwnd_, command);
  if (command == SW_SHOWMINNOACTIVE || command == SW_SHOWNA || command == SW_SHOWNOACTIVATE) return;
  BringWindowToTop(hwnd_);
  SetForegroundWindow(hwnd_);
}

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }

bool Form::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Form::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

int Form::ShowModal() {
  if (modal_) throw Error(Name() + " is already shown modally");
  modal_ = true;
  modal_result_ = 0;
  const HWND previously_active = GetActiveWindow();
  std::vector<HWND> disabled;
  for (Form* other : app_.Forms()) {
    if (other != this && other->hwnd_ && IsWindowEnabled(other->hwnd_)) {
      EnableWindow(other->hwnd_, FALSE);
      disabled.push_back(other->hwnd_);
    }
  }
  Show();
  MSG msg;
  while (modal_result_ == 0) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // A quit request ends the modal showing and stays for the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      modal_result_ = 2;
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  for (HWND window : disabled) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  // The window the user came from is active again before this one goes, so its focus returns.
  if (previously_active && previously_active != hwnd_ && IsWindowVisible(previously_active) &&
      IsWindowEnabled(previously_active))
    SetActiveWindow(previously_active);
  if (hwnd_) Hide();
  modal_ = false;
  return modal_result_;
}

void Form::SetModalResult(int result) { modal_result_ = result; }

void Form::Close() {
  if (modal_) {
    modal_result_ = 2;
  } else if (app_.MainForm() == this) {
    app_.Terminate();
  } else {
    Hide();
  }
}

void Form::RunCreate() { RunEvent(OnCreate); }

void Form::RunEvent(const NotifyEvent& event) {
  if (event) GuardWindowProc([&] { event(*this); return LRESULT(0); });
}

LRESULT CALLBACK Form::FormProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, msg, wparam, lparam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wparam, lparam);
  }
  return GuardWindowProc([&] { return form->Dispatch(msg, wparam, lparam); });
}

LRESULT Form::Dispatch(UINT msg, WPARAM wparam, LPARAM lparam) { return Inherited(msg, wparam, lparam); }

LRESULT Form::Inherited(UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (ReflectToControl(msg, wparam, lparam, &result)) return result;
  switch (msg) {
    case WM_WINDOWPOSCHANGED: {
      result = DefWindowProcW(hwnd_, msg, wparam, lparam);
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lparam);
      if ((position->flags & SWP_SHOWWINDOW) && GetActiveWindow() == hwnd_) FocusActiveControl();
      return result;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam) && FocusActiveControl()) return 0;
      return DefWindowProcW(hwnd_, msg, wparam, lparam);
    case WM_SETFOCUS:
      FocusActiveControl();
      return 0;
    case WM_SIZE:
      if (OnResize) OnResize(*this);
      return 0;
    case WM_DESTROY:
      if (OnDestroy) OnDestroy(*this);
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    default:
      return DefWindowProcW(hwnd_, msg, wparam, lparam);
  }
}

}  // namespace form
