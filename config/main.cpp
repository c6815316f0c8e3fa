// The configuration program: the single-instance test, the application, its windows and the
// message loop.
#include <windows.h>

#include "store/contracts.h"
#include "form/form.h"
#include "dialogs/about_dialog.h"
#include "dialogs/configure_buttons_dialog.h"
#include "dialogs/create_theme_dialog.h"
#include "dialogs/view_functions_dialog.h"
#include "main_window/dialog_windows.h"
#include "main_window/main_window.h"

namespace {

struct RunningCopySearch {
  bool found = false;
};

// A top-level window of the application class whose title is the program's title, compared
// without regard to case.
BOOL CALLBACK MatchApplicationWindow(HWND hwnd, LPARAM param) {
  wchar_t class_name[64] = {};
  wchar_t title[64] = {};
  GetClassNameW(hwnd, class_name, 64);
  if (lstrcmpW(class_name, contracts::kApplicationWindowClass) != 0) return TRUE;
  GetWindowTextW(hwnd, title, 64);
  if (lstrcmpiW(title, contracts::kApplicationWindowTitle) != 0) return TRUE;
  reinterpret_cast<RunningCopySearch*>(param)->found = true;
  return FALSE;
}

bool AnotherCopyRuns() {
  RunningCopySearch search;
  EnumWindows(MatchApplicationWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (AnotherCopyRuns()) return 0;
  try {
    form::Application app;
    app.SetTitle(contracts::kApplicationWindowTitle);
    app.CreateForm<Tzokcfg_0>();
    zokcfg_1 = &app.CreateForm<Tzokcfg_1>();
    zokcfg_2 = &app.CreateForm<Tzokcfg_2>();
    zokcfg_4 = &app.CreateForm<Tzokcfg_4>();
    zokcfg_3 = &app.CreateForm<Tzokcfg_3>();
    app.Run();
  } catch (const std::exception& error) {
    form::ShowException(error);
  }
  return 0;
}
