// Helpers for tests that run real programs of this build under Wine.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Folder of the running test executable; every binary of the build lies beside it.
std::wstring BinDir();
std::wstring BinPath(const std::wstring& file);

// Starts `command_line` and waits up to `timeout_ms` for it to end; returns its exit code,
// or -1 when it could not start or did not end in time (it is then terminated).
long RunAndWait(const std::wstring& command_line, DWORD timeout_ms = 20000,
                const wchar_t* working_folder = nullptr);

// A started program that is ended (WM_CLOSE to its windows, then terminated) when dropped;
// `show_command` (SW_SHOWMAXIMIZED, say) is the start's show command, none when negative.
class ChildProcess {
 public:
  explicit ChildProcess(const std::wstring& command_line, const wchar_t* working_folder = nullptr,
                        int show_command = -1);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  bool started() const { return process_ != nullptr; }
  HANDLE handle() const { return process_; }
  DWORD id() const { return id_; }
  // Waits for the program to end by itself; returns its exit code or -1 on time-out.
  long Wait(DWORD timeout_ms);
  void Stop();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Polls `condition` every 10 ms until it holds or `timeout_ms` passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = 10000);

// Waits for a top-level window of the class and title (either may be null).
HWND WaitForWindow(const char* window_class, const char* title, DWORD timeout_ms = 10000);

// Waits for a visible top-level window of the class that the process owns.
HWND WaitForProcessWindow(DWORD process_id, const wchar_t* window_class, DWORD timeout_ms = 10000);

// A child window of `parent` (at any depth) of the class (any class when null) whose text is
// `text`; with a null `text`, the first visible one of the class.
HWND FindChild(HWND parent, const wchar_t* window_class, const wchar_t* text);

// Lines of a text file (empty when it does not exist), without line ends.
std::vector<std::string> ReadLines(const std::wstring& path);

// One "msg" line of a stand-in's log.
struct LoggedMessage {
  unsigned msg = 0;
  unsigned long wparam = 0;
  unsigned long lparam = 0;
  long long micros = 0;
};
std::vector<LoggedMessage> ReadLoggedMessages(const std::wstring& log_path);

// A fresh, empty folder below the prefix's temporary folder, removed with its files when
// dropped. Stand-ins started by the test log into it (ZOK_STANDIN_LOG_DIR is set to it).
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  void UseForStandinLogs() const;

 private:
  std::wstring path_;
};

// Removes a folder and everything below it (no error when it is missing).
void RemoveTree(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool WriteTextFile(const std::wstring& path, const std::string& bytes);
// The bytes of a file (empty when missing).
std::string ReadFileBytes(const std::wstring& path);

}  // namespace testing_support
