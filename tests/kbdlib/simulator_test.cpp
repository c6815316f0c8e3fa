// The keyboard simulator itself, seen as the library sees it: the simulated hid and setupapi
// functions (linked into this test) and the named pipes opened with the real CreateFileA.
#ifndef _SETUPAPI_
#define _SETUPAPI_
#endif
#include <gtest/gtest.h>
#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

#include <string>
#include <vector>

#include "kbd_simulator.h"

using namespace kbdsim;

namespace {

HANDLE OpenDevice(const std::string& name, DWORD access, DWORD flags = 0) {
  return CreateFileA(DevicePath(name).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, flags, nullptr);
}

// Reads one 32-byte report from a blocking handle, or an empty vector on error.
std::vector<BYTE> ReadOne(HANDLE handle) {
  std::vector<BYTE> report(32);
  DWORD read = 0;
  if (!ReadFile(handle, report.data(), 32, &read, nullptr) || read != 32) return {};
  return report;
}

// Paths the simulated setupapi lists, in order.
std::vector<std::string> ListedPaths() {
  std::vector<std::string> paths;
  GUID guid;
  HidD_GetHidGuid(&guid);
  HDEVINFO set = SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return paths;
  SP_DEVICE_INTERFACE_DATA data = {};
  data.cbSize = sizeof(data);
  for (DWORD i = 0; i < 100; ++i) {
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &guid, i, &data)) {
      if (GetLastError() == ERROR_NO_MORE_ITEMS) break;
      continue;  // an injected error: this member is skipped
    }
    DWORD size = 0;
    EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &size, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    std::vector<char> buffer(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = sizeof(*detail);
    if (SetupDiGetDeviceInterfaceDetailA(set, &data, detail, size, nullptr, nullptr)) {
      paths.push_back(detail->DevicePath);
    }
  }
  SetupDiDestroyDeviceInfoList(set);
  return paths;
}

TEST(KbdSimulator, ListsDevicesInOrderAndAnswersHidQueriesPerHandle) {
  Simulator sim;
  ASSERT_TRUE(sim.AddDevice({"sim-a", 0x2E5C, 0x0B11, 0xFF00, 0xFF00}));
  ASSERT_TRUE(sim.AddDevice({"sim-b", 0x046D, 0xC077, 0x0001, 0x0002}));
  EXPECT_FALSE(sim.AddDevice({"SIM-A", 1, 2, 3, 4})) << "a path is taken whatever its case";
  EXPECT_EQ((std::vector<std::string>{DevicePath("sim-a"), DevicePath("sim-b")}), ListedPaths());

  HANDLE b = OpenDevice("sim-b", 0);
  ASSERT_NE(INVALID_HANDLE_VALUE, b);
  HIDD_ATTRIBUTES attributes = {};
  attributes.Size = sizeof(attributes);
  ASSERT_TRUE(HidD_GetAttributes(b, &attributes));
  EXPECT_EQ(0x046D, attributes.VendorID);
  EXPECT_EQ(0xC077, attributes.ProductID);
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  ASSERT_TRUE(HidD_GetPreparsedData(b, &preparsed));
  HIDP_CAPS caps = {};
  EXPECT_EQ(HIDP_STATUS_SUCCESS, HidP_GetCaps(preparsed, &caps));
  EXPECT_EQ(0x0001, caps.UsagePage);
  EXPECT_EQ(0x0002, caps.Usage);
  EXPECT_TRUE(HidD_FreePreparsedData(preparsed));
  EXPECT_TRUE(sim.WaitForOpen(DevicePath("sim-b"), 1));

  ASSERT_TRUE(sim.SetDeviceFailures(DevicePath("sim-b"), kFailAttributes | kFailCaps));
  EXPECT_FALSE(HidD_GetAttributes(b, &attributes));
  ASSERT_TRUE(HidD_GetPreparsedData(b, &preparsed));
  EXPECT_NE(HIDP_STATUS_SUCCESS, HidP_GetCaps(preparsed, &caps));
  EXPECT_TRUE(HidD_FreePreparsedData(preparsed));
  Counters counters = sim.GetCounters();
  EXPECT_EQ(2, counters.preparsed_got);
  EXPECT_EQ(2, counters.preparsed_freed);
  CloseHandle(b);
  EXPECT_TRUE(sim.WaitForOpen(DevicePath("sim-b"), 0));
  EXPECT_EQ(1, sim.Opens(DevicePath("sim-b")));

  ASSERT_TRUE(sim.SetDeviceFailures(DevicePath("sim-a"), kFailOpen));
  EXPECT_EQ(INVALID_HANDLE_VALUE, OpenDevice("sim-a", 0));
  ASSERT_TRUE(sim.SetDeviceFailures(DevicePath("sim-a"), 0));
  HANDLE a = OpenDevice("sim-a", 0);
  EXPECT_NE(INVALID_HANDLE_VALUE, a);
  CloseHandle(a);
}

TEST(KbdSimulator, FeatureReportsAreLoggedWithTheirDeviceBytesAndTime) {
  Simulator sim;
  ASSERT_TRUE(sim.AddDevice({"sim-f", 0x2E5C, 0x0B11, 0xFF00, 0xFF00}));
  HANDLE f = OpenDevice("sim-f", 0);
  ASSERT_NE(INVALID_HANDLE_VALUE, f);
  BYTE first[5] = {2, 2, 0, 0, 0};
  BYTE second[5] = {3, 0, 0, 0, 0};
  long long before = NowMicros();
  EXPECT_TRUE(HidD_SetFeature(f, first, 5));
  Sleep(50);
  ASSERT_TRUE(sim.SetDeviceFailures(DevicePath("sim-f"), kFailFeature));
  EXPECT_FALSE(HidD_SetFeature(f, second, 5));
  EXPECT_FALSE(HidD_SetFeature(INVALID_HANDLE_VALUE, first, 5));
  std::vector<FeatureReport> log = sim.FeatureReports();
  ASSERT_EQ(2u, log.size());
  EXPECT_EQ(DevicePath("sim-f"), log[0].path);
  EXPECT_EQ((std::vector<BYTE>{2, 2, 0, 0, 0}), log[0].bytes);
  EXPECT_TRUE(log[0].succeeded);
  EXPECT_EQ((std::vector<BYTE>{3, 0, 0, 0, 0}), log[1].bytes);
  EXPECT_FALSE(log[1].succeeded);
  EXPECT_GE(log[0].micros, before);
  EXPECT_GE(log[1].micros - log[0].micros, 40000);
  sim.ClearFeatureReports();
  EXPECT_TRUE(sim.FeatureReports().empty());
  CloseHandle(f);
}

TEST(KbdSimulator, BurstsReachEveryReaderOnceInOrderAndUnplugBreaksReads) {
  Simulator sim;
  ASSERT_TRUE(sim.AddDevice({"sim-r", 0x2E5C, 0x0B11, 0xFF00, 0xFF00}));
  EXPECT_TRUE(sim.WriteReport(DevicePath("sim-r"), Report({9})));  // nobody reads: dropped
  HANDLE first = OpenDevice("sim-r", GENERIC_READ | GENERIC_WRITE);
  HANDLE second = OpenDevice("sim-r", GENERIC_READ | GENERIC_WRITE);
  ASSERT_NE(INVALID_HANDLE_VALUE, first);
  ASSERT_NE(INVALID_HANDLE_VALUE, second);
  ASSERT_TRUE(sim.WaitForOpen(DevicePath("sim-r"), 2));

  std::vector<InputReport> burst;
  for (int i = 0; i < 1000; ++i) {
    InputReport report = Report({5, static_cast<BYTE>(i), static_cast<BYTE>(i >> 8)});
    report[31] = 0xEE;
    burst.push_back(report);
  }
  ASSERT_TRUE(sim.WriteReports(DevicePath("sim-r"), burst));
  for (HANDLE handle : {first, second}) {
    for (int i = 0; i < 1000; ++i) {
      std::vector<BYTE> report = ReadOne(handle);
      ASSERT_EQ(std::vector<BYTE>(burst[i].begin(), burst[i].end()), report) << "report " << i;
    }
  }

  // Unplugging ends a pending overlapped read with an error and hides the device.
  HANDLE overlapped_client = OpenDevice("sim-r", GENERIC_READ | GENERIC_WRITE, FILE_FLAG_OVERLAPPED);
  ASSERT_NE(INVALID_HANDLE_VALUE, overlapped_client);
  BYTE buffer[32];
  OVERLAPPED overlapped = {};
  overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  BOOL started = ReadFile(overlapped_client, buffer, 32, nullptr, &overlapped);
  ASSERT_TRUE(!started && GetLastError() == ERROR_IO_PENDING);
  ASSERT_TRUE(sim.RemoveDevice(DevicePath("sim-r")));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(overlapped.hEvent, 3000));
  DWORD read = 0;
  EXPECT_FALSE(GetOverlappedResult(overlapped_client, &overlapped, &read, FALSE));
  EXPECT_TRUE(ReadOne(first).empty());
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(INVALID_HANDLE_VALUE, OpenDevice("sim-r", 0));
  EXPECT_FALSE(sim.WriteReport(DevicePath("sim-r"), Report({1})));
  for (HANDLE handle : {first, second, overlapped_client, overlapped.hEvent}) CloseHandle(handle);
}

TEST(KbdSimulator, RapidOpensAreCountedAndTheDeviceKeepsListening) {
  Simulator sim;
  ASSERT_TRUE(sim.AddDevice({"sim-q", 0x2E5C, 0x0B11, 0xFF00, 0xFF00}));
  const std::string path = DevicePath("sim-q");
  ASSERT_TRUE(sim.WaitForOpen(path, 0));
  Sleep(100);
  long handles = CountProcessHandles();
  long succeeded = 0;
  for (int i = 0; i < 300; ++i) {
    HANDLE handle = OpenDevice("sim-q", 0);
    if (handle == INVALID_HANDLE_VALUE) continue;  // all listening instances taken just now
    ++succeeded;
    CloseHandle(handle);
  }
  EXPECT_GT(succeeded, 8);
  DWORD start = GetTickCount();
  while ((sim.Opens(path) != succeeded || sim.OpenNow(path) != 0) && GetTickCount() - start < 5000) Sleep(10);
  EXPECT_EQ(succeeded, sim.Opens(path));
  EXPECT_EQ(0, sim.OpenNow(path));
  HANDLE again = OpenDevice("sim-q", 0);
  EXPECT_NE(INVALID_HANDLE_VALUE, again) << "the device stopped listening";
  CloseHandle(again);
  start = GetTickCount();
  while (CountProcessHandles() != handles && GetTickCount() - start < 5000) Sleep(10);
  EXPECT_EQ(handles, CountProcessHandles());
}

TEST(KbdSimulator, EnumerationFailuresAreInjected) {
  Simulator sim;
  for (const char* name : {"e-0", "e-1", "e-2"}) ASSERT_TRUE(sim.AddDevice({name, 1, 2, 3, 4}));
  EnumerationFailures failures;
  failures.class_devs = true;
  sim.SetEnumerationFailures(failures);
  GUID guid;
  HidD_GetHidGuid(&guid);
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  failures = EnumerationFailures();
  failures.enum_error_from = 1;
  failures.enum_error_count = 1;
  sim.SetEnumerationFailures(failures);
  EXPECT_EQ((std::vector<std::string>{DevicePath("e-0"), DevicePath("e-2")}), ListedPaths());
  failures = EnumerationFailures();
  failures.detail_error_from = 2;
  sim.SetEnumerationFailures(failures);
  EXPECT_EQ((std::vector<std::string>{DevicePath("e-0"), DevicePath("e-1")}), ListedPaths());
  Counters counters = sim.GetCounters();
  EXPECT_EQ(2, counters.info_sets_created);
  EXPECT_EQ(2, counters.info_sets_destroyed);
}

}  // namespace
