// A test's view of the HID access library: the DLL loaded by path with its five exports
// bound by ordinal, and a real client window that records the messages the library sends.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace kbdsim {

// The library loaded from `path` (for instance the folder of the test + "\\sim\\ZOKUSB.dll").
// It stays loaded for the rest of the process: its hidden window outlives any unload.
class LibraryUnderTest {
 public:
  explicit LibraryUnderTest(const std::wstring& path);
  bool loaded() const { return module_ && init_driver && set_kbd_features && remove_device &&
                               read_device && device_arrival; }
  HMODULE module() const { return module_; }

  int(__stdcall* init_driver)(HWND, UINT, int) = nullptr;   // ordinal 2
  int(__stdcall* set_kbd_features)(int, int, void*) = nullptr;  // ordinal 3
  int(__stdcall* remove_device)() = nullptr;                 // ordinal 4
  int(__stdcall* read_device)(int, int) = nullptr;           // ordinal 5
  int(__stdcall* device_arrival)() = nullptr;                // ordinal 6

 private:
  HMODULE module_ = nullptr;
};

// The folder of the running executable, with a trailing backslash.
std::wstring ExecutableFolder();

struct ClientMessage {
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  std::vector<BYTE> report;  // for key reports: the 32 bytes at lparam, copied at once
  long long micros = 0;      // NowMicros() on receipt
};

// A top-level window of the calling thread that records every message numbered 0x400 to
// 0x7FF it receives. A key-report message that is sent (not posted) has its 32-byte report
// copied from its lParam while the send lasts.
class RecordingWindow {
 public:
  explicit RecordingWindow(UINT key_report_message = 0x500);
  ~RecordingWindow();
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

  // Dispatches this thread's messages for `ms` milliseconds.
  void Pump(DWORD ms);
  // Dispatches messages until `count` messages numbered `message` were recorded in total
  // (or the time-out passes); returns whether they were.
  bool PumpUntil(UINT message, size_t count, DWORD timeout_ms = 5000);
  size_t Count(UINT message) const;
  const std::vector<ClientMessage>& messages() const { return messages_; }
  void Clear() { messages_.clear(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
  UINT key_report_message_;
  bool dispatching_posted_ = false;
  std::vector<ClientMessage> messages_;
};

}  // namespace kbdsim
