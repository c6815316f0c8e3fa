// The application object: one static instance per program, whose InitInstance does the
// program's work (for a dialog program: run its dialog modally and return false).
#pragma once
#include <windows.h>

namespace dialog {

class Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Called from WinMain: InitInstance, then ExitInstance, whose value is the exit code.
  int Run(HINSTANCE instance);

  HINSTANCE instance() const { return instance_; }
  // The command line after the program name and the blanks that follow it.
  const char* arguments() const { return arguments_; }

 protected:
  // Returns true only when the program should go on running a message loop of its own;
  // a dialog program does its work here and returns false.
  virtual bool InitInstance() = 0;
  virtual int ExitInstance();

 private:
  HINSTANCE instance_ = nullptr;
  const char* arguments_ = "";
};

// The part of a command line after the program name (quoted or not) and the blanks after it.
const char* SkipProgramName(const char* command_line);

}  // namespace dialog
