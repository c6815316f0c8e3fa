#include "application.h"

namespace dialog {

Application::Application() = default;

Application::~Application() = default;

int Application::ExitInstance() { return 0; }

int Application::Run(HINSTANCE instance) {
  instance_ = instance;
  arguments_ = SkipProgramName(GetCommandLineA());
  if (InitInstance()) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return ExitInstance();
}

const char* SkipProgramName(const char* command_line) {
  const char* p = command_line;
  if (!p) return "";
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

}  // namespace dialog
