// The library's hidden window: device arrival, query-remove and removal notifications, and
// messages that do not come from the library's own readers.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>

#include "reader_session.h"
#include "test_support.h"
#include "variant.h"

using kbdsim::DevicePath;
using kbdsim::SendInterfaceNotification;
using testing_support::WaitUntil;

namespace reader_test {
namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return static_cast<char>(toupper(static_cast<unsigned char>(c))); });
  return text;
}

LRESULT SendHandleNotification(HWND window, WPARAM event) {
  DEV_BROADCAST_HANDLE notification = {};
  notification.dbch_size = sizeof notification;
  notification.dbch_devicetype = DBT_DEVTYP_HANDLE;
  notification.dbch_handle = reinterpret_cast<HANDLE>(0x1234);
  return SendMessageA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&notification));
}

// A removal notification whose name fills its size exactly, with no terminator inside it;
// more (non-zero) bytes follow in memory beyond the size.
LRESULT SendUnterminatedRemoval(HWND window, const std::string& path, bool wide) {
  const size_t offset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
  const size_t name_bytes = path.size() * (wide ? 2 : 1);
  std::vector<BYTE> record(offset + name_bytes + 16, 'X');
  auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(record.data());
  header->dbcc_size = static_cast<DWORD>(offset + name_bytes);
  header->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  header->dbcc_reserved = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (wide) {
      record[offset + 2 * i] = static_cast<BYTE>(path[i]);
      record[offset + 2 * i + 1] = 0;
    } else {
      record[offset + i] = static_cast<BYTE>(path[i]);
    }
  }
  return SendMessageA(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                      reinterpret_cast<LPARAM>(record.data()));
}

class ReaderNotifications : public ReaderTest {
 protected:
  // Present and absent messages received since the last Clear.
  size_t DeviceMessages() {
    return session_.client().Count(kDevicePresent) + session_.client().Count(kDeviceAbsent);
  }

  // Runs the message sender in a process of its own, dispatching this thread's messages
  // until it ends; returns its exit code.
  long SendFromOtherProcess(UINT message, WPARAM wparam, LPARAM lparam) {
    char arguments[128];
    snprintf(arguments, sizeof arguments, " %lx %x %lx %lx",
             static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hidden_)), message,
             static_cast<unsigned long>(wparam), static_cast<unsigned long>(lparam));
    std::wstring line = L"\"" + testing_support::BinPath(L"reader_message_sender.exe") + L"\"";
    for (const char* c = arguments; *c; ++c) line += static_cast<wchar_t>(*c);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
      return -1;
    }
    CloseHandle(process.hThread);
    WaitUntil([&] {
      session_.client().Pump(5);
      return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    }, 20000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
  }

  HWND hidden_ = session_.hidden_window();
};

TEST_F(ReaderNotifications, UnplugEndsTheReaderAndItsRemovalEnumeratesAgain) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rn-unplug-a")));
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rn-unplug-b")));
  const std::string path_a = DevicePath("rn-unplug-a");
  const std::string path_b = DevicePath("rn-unplug-b");
  ASSERT_EQ(session_.Arrival(), kDevicePresent);
  session_.client().Pump(100);
  const long threads = ThreadCount();
  ReadAndWaitOpen({"rn-unplug-a", "rn-unplug-b"});
  EXPECT_EQ(WaitForThreadCount(threads + 2), threads + 2);

  // Unplugged while read: its reader ends by itself.
  ASSERT_TRUE(sim_.RemoveDevice(path_a));
  EXPECT_EQ(WaitForThreadCount(threads + 1), threads + 1);
  session_.Clear();

  // Removal of an interface that is not matched, or a name in the other text form than the
  // variant's: nothing happens.
  SendInterfaceNotification(hidden_, DBT_DEVICEREMOVECOMPLETE, DevicePath("rn-unknown"),
                            variant::kIsYev);
  SendInterfaceNotification(hidden_, DBT_DEVICEREMOVECOMPLETE, path_a, !variant::kIsYev);
  session_.client().Pump(200);
  EXPECT_EQ(DeviceMessages(), 0u);
  EXPECT_EQ(sim_.OpenNow(path_b), 1);

  // The unplugged keyboard's path, in other letter case: everything is closed and enumerated
  // again; the other keyboard remains, so it is present.
  SendInterfaceNotification(hidden_, DBT_DEVICEREMOVECOMPLETE, Upper(path_a), variant::kIsYev);
  ASSERT_TRUE(session_.client().PumpUntil(kDevicePresent, 1));
  EXPECT_EQ(session_.client().Count(kDeviceAbsent), 0u);
  EXPECT_TRUE(sim_.WaitForOpen(path_b, 0));
  EXPECT_EQ(WaitForThreadCount(threads), threads);

  // In the new table the remaining keyboard is the first entry.
  ReadAndWaitOpen({"rn-unplug-b"});
  ASSERT_TRUE(sim_.WriteReport(path_b, NumberedReport(5)));
  ASSERT_TRUE(session_.WaitForReports(1));
  EXPECT_EQ(session_.Reports()[0].wparam, 0u);
  EXPECT_EQ(SequenceOf(session_.Reports()[0].report), 5);

  // The last keyboard goes: absent.
  ASSERT_TRUE(sim_.RemoveDevice(path_b));
  SendInterfaceNotification(hidden_, DBT_DEVICEREMOVECOMPLETE, path_b, variant::kIsYev);
  ASSERT_TRUE(session_.client().PumpUntil(kDeviceAbsent, 1));
  EXPECT_EQ(WaitForThreadCount(threads), threads);
}

TEST_F(ReaderNotifications, ArrivalsAndQueryRemove) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rn-arrive")));
  const std::string path = DevicePath("rn-arrive");
  ASSERT_EQ(session_.Arrival(), kDevicePresent);
  session_.client().Pump(100);
  const long threads = ThreadCount();
  ReadAndWaitOpen({"rn-arrive"});
  session_.Clear();

  // A handle's arrival does nothing.
  SendHandleNotification(hidden_, DBT_DEVICEARRIVAL);
  session_.client().Pump(200);
  EXPECT_EQ(DeviceMessages(), 0u);
  EXPECT_EQ(sim_.OpenNow(path), 1);

  // Any HID interface arriving (here a mouse) stops the readers and enumerates again.
  ASSERT_TRUE(sim_.AddDevice({"rn-arrive-mouse", 0x046D, 0xC077, 0x0001, 0x0002, 0}));
  SendInterfaceNotification(hidden_, DBT_DEVICEARRIVAL, DevicePath("rn-arrive-mouse"),
                            variant::kIsYev);
  ASSERT_TRUE(session_.client().PumpUntil(kDevicePresent, 1));
  EXPECT_TRUE(sim_.WaitForOpen(path, 0));
  EXPECT_EQ(WaitForThreadCount(threads), threads);

  // A reader's handle is registered for notifications while it is read, once.
  ReadAndWaitOpen({"rn-arrive"});
  EXPECT_EQ(sim_.HandleNotifications(path), 1);
  session_.library().read_device(kUsagePage, kUsage);
  EXPECT_EQ(sim_.HandleNotifications(path), 1);

  // Query-remove closes every collection, and a refused removal reopens nothing: reports
  // flow again only after ReadDevice.
  session_.Clear();
  SendHandleNotification(hidden_, DBT_DEVICEQUERYREMOVE);
  EXPECT_EQ(sim_.OpenNow(path), 0);
  EXPECT_EQ(sim_.HandleNotifications(path), 0);
  EXPECT_EQ(WaitForThreadCount(threads), threads);
  SendHandleNotification(hidden_, DBT_DEVICEQUERYREMOVEFAILED);
  session_.client().Pump(200);
  EXPECT_EQ(sim_.OpenNow(path), 0);
  EXPECT_EQ(DeviceMessages(), 0u);
  ReadAndWaitOpen({"rn-arrive"});
  ASSERT_TRUE(sim_.WriteReport(path, NumberedReport(9)));
  ASSERT_TRUE(session_.WaitForReports(1));
  EXPECT_EQ(SequenceOf(session_.Reports()[0].report), 9);
}

// True once a reader waits in its send to this thread, which is not looking at its messages.
bool ReaderWaitsInItsSend() {
  return WaitUntil([] { return (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0; });
}

TEST_F(ReaderNotifications, StopsCloseAtOnceAndTheReportHeldInASendStillArrives) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rn-held")));
  const std::string path = DevicePath("rn-held");
  ASSERT_EQ(session_.Arrival(), kDevicePresent);
  session_.client().Pump(100);
  const long threads = ThreadCount();
  const long handles = HandleCount();
  unsigned sequence = 0;
  std::vector<long> expected;
  auto close_while_held = [&](const char* how, const std::function<void()>& close) {
    ReadAndWaitOpen({"rn-held"});
    ASSERT_TRUE(sim_.WriteReport(path, NumberedReport(++sequence)));
    ASSERT_TRUE(ReaderWaitsInItsSend()) << how;
    close();
    // Closed when the call returns, though the reader is still held in its send.
    EXPECT_EQ(sim_.OpenNow(path), 0) << how;
    expected.push_back(sequence);
    ASSERT_TRUE(session_.WaitForReports(expected.size())) << how;
  };
  close_while_held("query-remove", [&] {
    SendMessageA(hidden_, WM_DEVICECHANGE, DBT_DEVICEQUERYREMOVE, 0);
  });
  close_while_held("RemoveDevice", [&] { session_.library().remove_device(); });
  close_while_held("arrival", [&] {
    SendInterfaceNotification(hidden_, DBT_DEVICEARRIVAL, DevicePath("rn-other"), variant::kIsYev);
  });
  session_.client().Pump(200);
  std::vector<long> delivered;
  for (const auto& report : session_.Reports()) delivered.push_back(SequenceOf(report.report));
  EXPECT_EQ(delivered, expected);
  EXPECT_EQ(WaitForThreadCount(threads), threads);
  EXPECT_EQ(WaitForHandleCount(handles), handles);
}

TEST_F(ReaderNotifications, MalformedAndForeignMessagesAreHarmless) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rn-hostile")));
  const std::string path = DevicePath("rn-hostile");
  ASSERT_EQ(session_.Arrival(), kDevicePresent);
  ReadAndWaitOpen({"rn-hostile"});
  ASSERT_TRUE(sim_.WriteReport(path, NumberedReport(1)));
  ASSERT_TRUE(session_.WaitForReports(1));
  const WPARAM index = session_.Reports()[0].wparam;
  const LPARAM old_buffer = session_.Reports()[0].lparam;  // a reader's buffer, not in use now
  session_.client().Pump(100);
  session_.Clear();

  // No notification where one is expected, junk where none is, a size too small to hold a
  // name: nothing happens.
  SendMessageA(hidden_, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
  SendMessageA(hidden_, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
  SendMessageA(hidden_, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0x10);
  SendMessageA(hidden_, WM_DEVICECHANGE, DBT_CONFIGCHANGED, 0x10);
  DEV_BROADCAST_HDR short_header = {sizeof short_header, DBT_DEVTYP_DEVICEINTERFACE, 0};
  SendMessageA(hidden_, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
               reinterpret_cast<LPARAM>(&short_header));
  session_.client().Pump(200);
  EXPECT_EQ(DeviceMessages(), 0u);
  EXPECT_EQ(sim_.OpenNow(path), 1);

  // Report messages that no reader is delivering: from this thread, from another process,
  // with a slot beyond the readers', with a made-up address.
  SendMessageA(hidden_, kReaderReport, index, old_buffer);
  SendMessageA(hidden_, kReaderReport, 0xFFFF, 0x10);
  EXPECT_EQ(SendFromOtherProcess(kReaderReport, index, old_buffer), 0);
  EXPECT_EQ(SendFromOtherProcess(kReaderReport, index, 0x10), 0);
  session_.client().Pump(100);
  EXPECT_TRUE(session_.Reports().empty());

  // While a report is really being delivered, another process sending the same message with
  // the same address gets nothing delivered a second time.
  long foreign_sends = 0;
  session_.SetReportHook([&](WPARAM wparam, LPARAM lparam) {
    if (foreign_sends++ == 0) SendFromOtherProcess(kReaderReport, wparam, lparam);
  });
  ASSERT_TRUE(sim_.WriteReport(path, NumberedReport(2)));
  ASSERT_TRUE(session_.WaitForReports(1));
  session_.client().Pump(200);
  EXPECT_EQ(foreign_sends, 1);
  ASSERT_EQ(session_.Reports().size(), 1u);
  EXPECT_EQ(SequenceOf(session_.Reports()[0].report), 2);
  session_.SetReportHook(nullptr);

  // A removal whose name fills its size with no terminator is read within that size.
  SendUnterminatedRemoval(hidden_, path, variant::kIsYev);
  ASSERT_TRUE(session_.client().PumpUntil(kDevicePresent, 1));
  EXPECT_TRUE(sim_.WaitForOpen(path, 0));

  // Query-remove needs no notification to close everything.
  ReadAndWaitOpen({"rn-hostile"});
  SendMessageA(hidden_, WM_DEVICECHANGE, DBT_DEVICEQUERYREMOVE, 0);
  EXPECT_EQ(sim_.OpenNow(path), 0);
}

}  // namespace
}  // namespace reader_test
