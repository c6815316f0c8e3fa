// The configuration program: the application, its main window, the message loop.
#include <windows.h>

#include "contracts.h"
#include "form/form.h"
#include "main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    form::Application app;
    app.SetTitle(contracts::kApplicationWindowTitle);
    app.CreateForm<Tzokcfg_0>();
    app.Run();
  } catch (const std::exception& error) {
    form::ShowException(error);
  }
  return 0;
}
