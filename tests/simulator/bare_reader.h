// The floor the benchmarks measure the library against: a plain overlapped read loop on a
// simulated device's pipe, in a thread of its own, that sends each 32-byte report to a window
// of another thread as the library does (the next read queued first, then a synchronous send
// with the report's address). No library code is involved.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

namespace kbdsim {

class BareReader {
 public:
  // Opens `path` and starts reading; each report is sent to `window` as `message` with
  // wParam `index` and lParam the report's address.
  BareReader(const std::string& path, HWND window, UINT message, WPARAM index);
  // Stops the loop and closes the pipe.
  ~BareReader();
  BareReader(const BareReader&) = delete;
  BareReader& operator=(const BareReader&) = delete;
  bool started() const { return thread_ != nullptr; }
  // NowMicros() at the completion of each read, in order; read after the loop has stopped.
  const std::vector<long long>& completions() const { return completions_; }

 private:
  static DWORD WINAPI ThreadMain(LPVOID self);
  static VOID CALLBACK Completed(DWORD error, DWORD bytes, LPOVERLAPPED overlapped);
  void Loop();

  HANDLE pipe_ = INVALID_HANDLE_VALUE;
  HANDLE thread_ = nullptr;
  HWND window_;
  UINT message_;
  WPARAM index_;
  std::atomic<bool> stop_{false};
  bool read_done_ = false;
  bool read_failed_ = false;
  std::vector<long long> completions_;
};

}  // namespace kbdsim
