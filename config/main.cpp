// The configuration program: the single-instance test, the application, its windows and the
// message loop.
#include <windows.h>

#include "store/contracts.h"
#include "form/form.h"
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
    // The Create New Theme, Configure Buttons, About and View Functions dialogs follow here.
    app.Run();
  } catch (const std::exception& error) {
    form::ShowException(error);
  }
  return 0;
}
