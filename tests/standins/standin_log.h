// Log shared by the stand-ins of the outside programs: one text line per event, appended to
// <log folder>\<program>.log, where the log folder is %ZOK_STANDIN_LOG_DIR% or, without it,
// the folder of the stand-in's own executable. Each line is written whole and the file is
// closed again, so a test can read the log while the stand-in runs.
#pragma once
#include <windows.h>

#include <string>

namespace standin {

// Microseconds of the performance counter: comparable between processes on one machine.
long long NowMicroseconds();

std::string LogPath(const char* program);
void AppendLine(const char* program, const std::string& line);

// "msg 0x0702 0x00000000 0x000a01b2 123456789": number, wParam, lParam, time.
void LogMessage(const char* program, UINT msg, WPARAM wParam, LPARAM lParam);

// "start cmdline=<command line> cwd=<working folder>".
void LogStart(const char* program);

// Creates a hidden top-level window of the given class and title whose every message from
// WM_USER upwards is logged, then runs the message loop until WM_CLOSE. `on_message`, when
// set, sees each logged message after it has been logged.
using MessageHook = void (*)(HWND, UINT, WPARAM, LPARAM);
int RunLoggingWindow(const char* program, const char* window_class, const char* title,
                     MessageHook on_message);

}  // namespace standin
