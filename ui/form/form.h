// Forms: top-level windows built from a layout table (layout.h), whose components are found
// by name and whose events are bound by the handler names the table gives.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "application.h"
#include "error.h"
#include "component.h"
#include "controls.h"
#include "events.h"
#include "layout.h"
#include "picture.h"

namespace form {

class Form : public Component {
 public:
  // Builds the window (hidden) and every component of `layout` in table order, binding the
  // events whose handler names `handlers` holds. The create event is not run here: the
  // application runs it after construction (Application::CreateForm), or call RunCreate.
  Form(Application& app, const Layout& layout, const Handlers& handlers);
  ~Form() override;

  Application& App() const { return app_; }
  HWND Handle() const { return hwnd_; }

  // The component of that name, or null.
  Component* Find(const std::string& name) const;
  // The component of that name and type; raises form::Error when there is none of that kind.
  template <class T>
  T& Get(const std::string& name) const;
  // Every component in creation order.
  const std::vector<Component*>& Components() const { return order_; }
  // Destroys a component before the form goes (its window and the object); it must have no
  // children. References to it become invalid. Nothing happens for a component of another form.
  void DestroyComponent(Component* component);

  // Outer position and size on the screen.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  void SetBounds(int left, int top, int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;
  // Sets the outer size so that the client area gets this size.
  void SetClientWidth(int width);
  void SetClientHeight(int height);

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  void SetCaptionA(const std::string& caption);
  form::Font& Font() { return font_; }

  bool Visible() const;
  // Shows the form with a show command (the program's start command for the main form): when
  // the form is hidden, its show event runs first, so the window appears as the handler leaves
  // it; then the window is shown and, unless it is minimised without activation, brought to
  // the front.
  void Show(int command = SW_SHOW);
  void Hide();
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // Shows the form modally: the application's other forms are disabled until Close, then the
  // window that was active before is activated again; returns the modal result (Close gives 2,
  // SetModalResult any other value).
  int ShowModal();
  bool Modal() const { return modal_; }
  void SetModalResult(int result);
  // Closes the form: ends a modal showing, ends the program for the main form, hides any
  // other form. The system menu's Close does the same.
  void Close();

  // Runs the create event, stopping an exception there (shown in the error box).
  void RunCreate();

  NotifyEvent OnCreate;
  // Runs each time the form turns from hidden to shown, before the window appears.
  NotifyEvent OnShow;
  NotifyEvent OnResize;
  NotifyEvent OnDestroy;

  // The tooltip window that shows the hints of this form's controls.
  HWND HintWindow() const { return tooltip_; }

  // Focus. Each showing gives the focus to the first control in tab order that is visible and
  // enabled; while the form is active the focus is where the user or the handlers put it, and
  // the control that had it (or that a handler gave it while the form could not take it, as
  // during another form's modal showing) gets it again when the form becomes active again.
  // Controls call NoteFocus when they get the focus or are given it.
  void NoteFocus(HWND control) { focus_ = control; }
  // After the control holding the focus was hidden or disabled: an active form takes the focus
  // and hands it to its first control in tab order; an inactive one does so when it is
  // activated again.
  void RegainFocus();

  // Binds a member to the component of the same name and the member's type: FORM_BIND(Edit1)
  // sets Edit1 to the component "Edit1" (form::Error when there is none of that kind).
  template <class T>
  void BindComponent(T*& member, const std::string& name) {
    member = &Get<T>(name);
  }

 protected:
  // The form's message dispatch. Override it for a message map and pass what it does not
  // handle on to Inherited.
  virtual LRESULT Dispatch(UINT msg, WPARAM wparam, LPARAM lparam);
  // The form's own handling (events, reflected notifications), then the default processing.
  LRESULT Inherited(UINT msg, WPARAM wparam, LPARAM lparam);
  // Destroys the window now (running the destroy event). A derived form whose destroy handler
  // uses its own members calls this first in its destructor.
  void DestroyForm();

 private:
  static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  void CreateFormWindow(const FormRow& window);
  void BuildComponent(const ComponentRow& row, const Handlers& handlers);
  Control* ParentFor(const ComponentRow& row) const;
  void ApplyTabOrder(const std::vector<ComponentRow>& rows);
  // Gives the focus to the noted control when it can take it, else to the first control in tab
  // order; false when there is none.
  bool FocusActiveControl();
  // Runs the event, if set, stopping any exception at this boundary (the error box): a show
  // or create goes on after it.
  void RunEvent(const NotifyEvent& event);
  RECT WindowRect() const;

  Application& app_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  form::Font font_;
  std::vector<std::unique_ptr<Component>> components_;
  std::vector<Component*> order_;
  std::map<std::string, Component*> index_;
  bool modal_ = false;
  int modal_result_ = 0;
  HWND focus_ = nullptr;
};

#define FORM_BIND(member) BindComponent(member, #member)

template <class T>
T& Form::Get(const std::string& name) const {
  T* found = dynamic_cast<T*>(Find(name));
  if (!found) throw Error("Component \"" + name + "\" not found in " + Name());
  return *found;
}

}  // namespace form
