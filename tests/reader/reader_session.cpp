#include "reader_session.h"

#include <string.h>

#include "test_support.h"
#include "variant.h"

namespace reader_test {

namespace {

std::wstring LibraryPath() {
  std::string name = variant::kKbdLibrary;
  return kbdsim::ExecutableFolder() + L"sim\\" + std::wstring(name.begin(), name.end()) + L".dll";
}

// The session, for the window hooks; set before the library can send anything.
ReaderSession* current_session = nullptr;

BOOL CALLBACK KeepIfHidden(HWND window, LPARAM found) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (strcmp(name, "ZOKUSBClass") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The library's hidden window made on this thread by InitDriver; other processes that run at
// the same time may have one with the same class and title.
HWND OwnHiddenWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), KeepIfHidden, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

ReaderSession& ReaderSession::Get() {
  static ReaderSession session;
  return session;
}

ReaderSession::ReaderSession() : library_(LibraryPath()), client_(kKeyReportMessage) {
  current_session = this;
  if (!library_.loaded()) return;
  client_procedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      client_.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReaderSession::ClientHook)));
  library_.init_driver(client_.hwnd(), kKeyReportMessage, kUsagePage);
  hidden_window_ = OwnHiddenWindow();
  if (hidden_window_) {
    hidden_procedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        hidden_window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReaderSession::HiddenHook)));
  }
  client_.Pump(50);
}

LRESULT CALLBACK ReaderSession::ClientHook(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  ReaderSession& self = *current_session;
  // Recorded first, so a hook that pumps or stops readers sees this report counted.
  LRESULT result = CallWindowProcA(self.client_procedure_, window, message, wparam, lparam);
  if (message == kKeyReportMessage && lparam && self.report_hook_) {
    self.report_hook_(wparam, lparam);
  }
  return result;
}

LRESULT CALLBACK ReaderSession::HiddenHook(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  ReaderSession& self = *current_session;
  if (message == kReaderNotice) self.notices_.push_back({wparam, static_cast<DWORD>(lparam)});
  return CallWindowProcA(self.hidden_procedure_, window, message, wparam, lparam);
}

UINT ReaderSession::Arrival() {
  size_t present = client_.Count(kDevicePresent);
  size_t absent = client_.Count(kDeviceAbsent);
  library_.device_arrival();
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 5000) {
    client_.Pump(5);
    if (client_.Count(kDevicePresent) > present) return kDevicePresent;
    if (client_.Count(kDeviceAbsent) > absent) return kDeviceAbsent;
  }
  return 0;
}

std::vector<kbdsim::ClientMessage> ReaderSession::Reports() const {
  std::vector<kbdsim::ClientMessage> reports;
  for (const auto& message : client_.messages()) {
    if (message.message == kKeyReportMessage && !message.report.empty()) reports.push_back(message);
  }
  return reports;
}

void ReaderSession::Clear() {
  client_.Clear();
  notices_.clear();
}

bool ReaderSession::WaitForReports(size_t count, DWORD timeout_ms) {
  return client_.PumpUntil(kKeyReportMessage, count, timeout_ms);
}

void ReaderSession::StopAll(kbdsim::Simulator& sim) {
  library_.remove_device();
  testing_support::WaitUntil([&] {
    client_.Pump(5);
    return sim.OpenNowTotal() == 0;
  });
  client_.Pump(20);
}

kbdsim::DeviceSpec Keyboard(const std::string& name) {
  return {name, variant::kVendorId, variant::kProductIds[0], kUsagePage, kUsage, 0};
}

kbdsim::InputReport NumberedReport(unsigned sequence) {
  kbdsim::InputReport report = {};
  report[0] = static_cast<BYTE>(1 + sequence % 0xFE);
  for (int k = 0; k < 4; ++k) report[1 + k] = static_cast<BYTE>(sequence >> (8 * k));
  for (size_t k = 5; k < report.size(); ++k) report[k] = static_cast<BYTE>(sequence * 31 + k);
  return report;
}

long SequenceOf(const std::vector<BYTE>& report) {
  if (report.size() != 32) return -1;
  unsigned sequence = 0;
  for (int k = 0; k < 4; ++k) sequence |= static_cast<unsigned>(report[1 + k]) << (8 * k);
  kbdsim::InputReport expected = NumberedReport(sequence);
  for (size_t k = 0; k < expected.size(); ++k) {
    if (report[k] != expected[k]) return -1;
  }
  return static_cast<long>(sequence);
}

long ThreadCount() { return kbdsim::CountProcessThreads(); }

// GetProcessHandleCount answers 0 under Wine; the simulator's probe counts them instead.
long HandleCount() { return kbdsim::CountProcessHandles(); }

namespace {

long WaitForCount(long (*count)(), long expected, DWORD timeout_ms) {
  long seen = count();
  testing_support::WaitUntil(
      [&] {
        ReaderSession::Get().client().Pump(5);
        return (seen = count()) == expected;
      },
      timeout_ms);
  return seen;
}

}  // namespace

long WaitForThreadCount(long expected, DWORD timeout_ms) { return WaitForCount(ThreadCount, expected, timeout_ms); }
long WaitForHandleCount(long expected, DWORD timeout_ms) { return WaitForCount(HandleCount, expected, timeout_ms); }

}  // namespace reader_test
