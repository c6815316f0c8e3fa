// Components of a form: the named base and the windowed control with position, text, font,
// visibility, enabled state and hint.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

#include "events.h"
#include "font.h"
#include "layout.h"

namespace form {

class Form;

class Component {
 public:
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component() = default;

  const std::string& Name() const { return name_; }
  Kind GetKind() const { return kind_; }
  // The form that owns the component (for a form: itself).
  Form& Owner() const { return *owner_; }

 protected:
  Component(Form* owner, std::string name, Kind kind) : owner_(owner), name_(std::move(name)), kind_(kind) {}
  void SetOwner(Form* owner) { owner_ = owner; }

 private:
  Form* owner_;
  std::string name_;
  Kind kind_;
};

// A component with a window of its own.
class Control : public Component {
 public:
  ~Control() override;

  HWND Handle() const { return hwnd_; }
  // The control whose window holds this one; null for a child placed on the form directly.
  Control* Parent() const { return parent_; }
  static Control* FromHandle(HWND hwnd);

  // Position and size in pixels relative to the parent's top-left corner.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const;
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // Whether the focus is on this control or a window inside it.
  bool HoldsFocus() const;

  // Caption or text, as wide text or as text of the system code page.
  std::wstring Text() const;
  virtual void SetText(const std::wstring& text);
  void SetTextA(const std::string& text);
  std::string TextA() const;

  // The control's own font; changing it applies at once.
  form::Font& Font() { return font_; }
  const form::Font& Font() const { return font_; }

  // The pop-up hint, shown while the mouse rests on the control when ShowHint is on.
  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& hint);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool show);

  // Gives the control the focus; when its form cannot take it now, the form gives it once it
  // is active again.
  void SetFocus();
  bool Focused() const;

 protected:
  Control(Form* owner, const ComponentRow& row);
  // Creates the window (class, styles) for the row, inside `parent` (null: the form).
  void CreateWindowFor(const ComponentRow& row, Control* parent, const wchar_t* window_class,
                       DWORD style, DWORD ex_style = 0);
  HWND ParentHandle() const;

  // Notifications reflected from the parent window to the control that sent them.
  friend bool ReflectToControl(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT* result);
  virtual void HandleCommand(WORD /*code*/) {}
  virtual void HandleScroll(WORD /*code*/) {}
  // Background and text colour for WM_CTLCOLOR*; null: the system's default.
  virtual HBRUSH HandleColor(HDC dc);
  // The control's own window procedure, ahead of the original one.
  virtual LRESULT WindowProc(UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT CallOriginal(UINT msg, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  void ApplyFont();
  void UpdateTool();

  HWND hwnd_ = nullptr;
  Control* parent_ = nullptr;
  WNDPROC original_proc_ = nullptr;
  form::Font font_;
  std::wstring hint_;
  bool show_hint_ = false;
  bool tool_added_ = false;
};

// Reflects WM_COMMAND, WM_VSCROLL, WM_HSCROLL and WM_CTLCOLOR* that a window received from one
// of its child controls to that control. Returns true when the message was handled.
bool ReflectToControl(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT* result);

// Runs `body` and stops any exception at this boundary: it is shown through the application's
// exception handler (the error box) and `fallback` is returned.
template <class Body>
LRESULT GuardWindowProc(Body body, LRESULT fallback = 0);

void ShowException(const std::exception& error);

template <class Body>
LRESULT GuardWindowProc(Body body, LRESULT fallback) {
  try {
    return body();
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowException(std::runtime_error("Unknown exception"));
  }
  return fallback;
}

}  // namespace form
