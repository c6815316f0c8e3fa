#include "application.h"

#include <commctrl.h>

#include <algorithm>

#include "form.h"
#include "text.h"

namespace form {

namespace {

const wchar_t kApplicationClass[] = L"TApplication";
Application* g_instance = nullptr;

LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_CLOSE && g_instance) {
    g_instance->Terminate();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

// The show command the program was started with, as the message loop applies it first: only a
// maximised start and a start minimised without activation are kept, any other shows normally.
int StartupShowCommand() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  if (!(startup.dwFlags & STARTF_USESHOWWINDOW)) return SW_SHOWNORMAL;
  const int command = startup.wShowWindow;
  return command == SW_SHOWMAXIMIZED || command == SW_SHOWMINNOACTIVE ? command : SW_SHOWNORMAL;
}

}  // namespace

Application* Application::Instance() { return g_instance; }

Application::Application() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = ApplicationProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kApplicationClass;
  RegisterClassW(&window_class);
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  g_instance = this;
  hint_font_.SetOnChange([this] {
    for (Form* form : forms_) {
      if (form->HintWindow()) {
        SendMessageW(form->HintWindow(), WM_SETFONT, reinterpret_cast<WPARAM>(hint_font_.Handle()), TRUE);
      }
    }
  });
}

Application::~Application() {
  while (!owned_.empty()) owned_.pop_back();
  if (hwnd_) DestroyWindow(hwnd_);
  if (g_instance == this) g_instance = nullptr;
}

void Application::SetTitle(const std::wstring& title) { SetWindowTextW(hwnd_, title.c_str()); }

std::wstring Application::Title() const {
  wchar_t title[256] = {};
  GetWindowTextW(hwnd_, title, 256);
  return title;
}

void Application::AddForm(Form* form) { forms_.push_back(form); }

void Application::RemoveForm(Form* form) { forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end()); }

void Application::Adopt(std::unique_ptr<Form> form) { owned_.push_back(std::move(form)); }

void Application::RunCreate(Form& form) { form.RunCreate(); }

int Application::Run() {
  if (Form* main = MainForm()) main->Show(StartupShowCommand());
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  terminated_ = true;
  return static_cast<int>(msg.wParam);
}

bool Application::PreTranslate(MSG& msg) {
  // Tab and arrow navigation between the controls of a form.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (!root) return false;
  for (Form* form : forms_) {
    if (form->Handle() == root) return IsDialogMessageW(root, &msg) != FALSE;
  }
  return false;
}

void Application::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Keep the request for the message loop.
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Application::ShowException(const std::exception& error) {
  if (exception_handler_) {
    exception_handler_(error);
    return;
  }
  Form* main = MainForm();
  MessageBoxW(main ? main->Handle() : nullptr, CodePageToWide(error.what()).c_str(), Title().c_str(),
              MB_OK | MB_ICONERROR);
}

}  // namespace form
