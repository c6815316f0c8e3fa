// The application: one per process. Its hidden top-level window (class "TApplication")
// carries the program's title, by which another copy can find a running one; it owns the
// forms created through it, runs the message loop and shows escaped exceptions.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "font.h"

namespace form {

class Form;

class Application {
 public:
  Application();
  // Destroys the forms it owns, the last created first, then its own window.
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The application of this process; null before one exists.
  static Application* Instance();

  HWND Handle() const { return hwnd_; }
  void SetTitle(const std::wstring& title);
  std::wstring Title() const;

  // Creates a form of type T (constructed as T(*this, args...)), owned by the application,
  // then runs its create event. The first form that exists is the main form.
  template <class T, class... Args>
  T& CreateForm(Args&&... args);
  Form* MainForm() const { return forms_.empty() ? nullptr : forms_.front(); }

  // Shows the main form with the program's start-up show command (maximised or minimised
  // when so started), then handles messages until a quit request; returns its exit code.
  int Run();
  // Requests the end of the program: a quit is posted and takes effect in the message loop.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the messages waiting now, without waiting for more.
  void ProcessMessages();

  // The font of the pop-up hints of every form.
  form::Font& HintFont() { return hint_font_; }

  // What happens to an exception stopped at a window-procedure boundary or escaping a
  // create event. The default shows the standard error box (the message, the title as
  // caption, an error icon).
  using ExceptionHandler = std::function<void(const std::exception&)>;
  void SetExceptionHandler(ExceptionHandler handler) { exception_handler_ = std::move(handler); }
  void ShowException(const std::exception& error);

  // Used by Form: every form enters itself while it exists.
  void AddForm(Form* form);
  void RemoveForm(Form* form);
  const std::vector<Form*>& Forms() const { return forms_; }

 private:
  void Adopt(std::unique_ptr<Form> form);
  void RunCreate(Form& form);
  bool PreTranslate(MSG& msg);

  HWND hwnd_ = nullptr;
  bool terminated_ = false;
  form::Font hint_font_;
  ExceptionHandler exception_handler_;
  std::vector<Form*> forms_;
  std::vector<std::unique_ptr<Form>> owned_;
};

template <class T, class... Args>
T& Application::CreateForm(Args&&... args) {
  auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
  T& result = *form;
  Adopt(std::move(form));
  RunCreate(result);
  return result;
}

}  // namespace form
