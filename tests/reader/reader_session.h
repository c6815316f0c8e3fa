// The library under test as its client sees it, for the reader tests: the simulated DLL of
// the variant loaded once per process, InitDriver called once with a recording client
// window, and the library's hidden window observed for the notices the readers post to it.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kbd_simulator.h"
#include "sim_library.h"

namespace reader_test {

// The number given to InitDriver for key reports; not the default 0x500, so a library that
// ignored the caller's number would be caught.
constexpr UINT kKeyReportMessage = 0x555;
constexpr UINT kDevicePresent = 0x600;
constexpr UINT kDeviceAbsent = 0x700;
constexpr UINT kReaderNotice = 0x501;
constexpr UINT kReaderReport = 0x502;
constexpr int kUsagePage = 0xFF00;
constexpr int kUsage = 0xFF00;

struct Notice {
  WPARAM index;
  DWORD first_bytes;
};

class ReaderSession {
 public:
  // The one session of this process; the library is initialised on first use.
  static ReaderSession& Get();

  kbdsim::LibraryUnderTest& library() { return library_; }
  kbdsim::RecordingWindow& client() { return client_; }
  HWND hidden_window() const { return hidden_window_; }

  // Enumerates again and waits for the present or absent message; returns which came.
  UINT Arrival();
  // Key reports received (sent ones, with their bytes), in order.
  std::vector<kbdsim::ClientMessage> Reports() const;
  const std::vector<Notice>& notices() const { return notices_; }
  // Forgets the recorded messages and notices.
  void Clear();
  // Waits until `count` key reports have been received in all.
  bool WaitForReports(size_t count, DWORD timeout_ms = 10000);
  // Runs `hook` inside every key report the client receives, before it is recorded.
  void SetReportHook(std::function<void(WPARAM, LPARAM)> hook) { report_hook_ = std::move(hook); }
  // Stops every reader and waits until no collection of the simulator is open any more.
  void StopAll(kbdsim::Simulator& sim);

 private:
  ReaderSession();
  static LRESULT CALLBACK ClientHook(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK HiddenHook(HWND, UINT, WPARAM, LPARAM);

  kbdsim::LibraryUnderTest library_;
  kbdsim::RecordingWindow client_;
  HWND hidden_window_ = nullptr;
  WNDPROC client_procedure_ = nullptr;
  WNDPROC hidden_procedure_ = nullptr;
  std::vector<Notice> notices_;
  std::function<void(WPARAM, LPARAM)> report_hook_;
};

// A keyboard collection of the variant under test that ReadDevice reads.
kbdsim::DeviceSpec Keyboard(const std::string& name);
// A 32-byte report whose every byte depends on `sequence` (byte 0 never zero), so a lost,
// repeated, reordered or partly cleared report shows.
kbdsim::InputReport NumberedReport(unsigned sequence);
// The sequence number of a report made by NumberedReport, or -1 when any byte is not what
// NumberedReport would have written.
long SequenceOf(const std::vector<BYTE>& report);

// Threads and handles of this process.
long ThreadCount();
long HandleCount();
// Wait until ThreadCount() / HandleCount() is `expected`, pumping the client's messages;
// return the last count seen.
long WaitForThreadCount(long expected, DWORD timeout_ms = 5000);
long WaitForHandleCount(long expected, DWORD timeout_ms = 3000);

// Fixture of the reader tests: every test starts and ends with no reader running, no hook and
// nothing recorded.
class ReaderTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.library().loaded());
    ASSERT_NE(session_.hidden_window(), nullptr);
    session_.StopAll(sim_);
    session_.SetReportHook(nullptr);
    session_.Clear();
  }
  void TearDown() override {
    session_.SetReportHook(nullptr);
    session_.StopAll(sim_);
  }

  // Starts the readers of the table as it stands and waits until each named collection is open.
  void ReadAndWaitOpen(std::initializer_list<const char*> names) {
    session_.library().read_device(kUsagePage, kUsage);
    for (const char* name : names)
      ASSERT_TRUE(sim_.WaitForOpen(kbdsim::DevicePath(name), 1)) << name;
  }

  kbdsim::Simulator sim_;
  ReaderSession& session_ = ReaderSession::Get();
};

}  // namespace reader_test
