// The end of the library's life with readers running, in a client process of its own
// (lifetime_probe): the process ending, and the library unloaded while the process goes on.
#include <gtest/gtest.h>
#include <windows.h>

#include "kbd_simulator.h"
#include "test_support.h"

using namespace testing_support;

namespace {

const kbdsim::DeviceSpec kKeyboard{"life-kbd", 0x2E5C, 0x0B11, 0xFF00, 0xFF00};
const std::string kPath = kbdsim::DevicePath(kKeyboard.name);

std::wstring Probe(const wchar_t* mode) {
  return L"\"" + BinPath(L"lifetime_probe.exe") + L"\" " + mode;
}

// The probe ends the process while its reader is held inside its read, where it holds the
// lock on its handle. The reader's thread is gone by then: the library's end must neither
// take that lock nor wait for the reader. It leaves everything to the end of the process, so
// the registrations that its stop path would undo after taking the lock are still counted.
TEST(KbdLibLifetime, AProcessEndingWithAReaderInTheMiddleOfItsReadEndsPromptly) {
  kbdsim::Simulator sim;
  ASSERT_TRUE(sim.AddDevice(kKeyboard));
  sim.HoldReads(true);
  ChildProcess probe(Probe(L"exit"));
  EXPECT_EQ(0, probe.Wait(15000)) << "the process did not end (or could not read)";
  EXPECT_EQ(1, sim.HandleNotifications(kPath)) << "the reader was stopped at the process end";
  EXPECT_EQ(1, sim.InterfaceNotifications());
  sim.HoldReads(false);
}

// Unloaded before InitDriver, the library is gone (the probe checks); unloaded after it, the
// library stays with its reader and registrations, and a second start reads the keyboard again.
TEST(KbdLibLifetime, UnloadingTheLibraryAfterInitDriverLeavesItLoadedAndWorking) {
  for (const auto& variant : {std::make_pair(L"ZOKUSB.dll", 0x2E5C), std::make_pair(L"YEVUSB.dll", 0x2E5D)}) {
    SCOPED_TRACE(variant.first);
    kbdsim::Simulator sim;
    ASSERT_TRUE(sim.AddDevice({kKeyboard.name, USHORT(variant.second), 0x0B11, 0xFF00, 0xFF00}));
    HANDLE go = CreateEventA(nullptr, FALSE, FALSE, "ZokProbeGo");
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, "ZokProbeReady");
    ChildProcess probe(Probe(L"unload ") + variant.first);
    SetEvent(go);
    ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(ready, 10000));
    EXPECT_EQ(1, sim.OpenNow(kPath));
    sim.WriteReport(kPath, kbdsim::Report({0x05, 0x01}));
    ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(ready, 30000));
    // The second start's open is served before its report is written.
    EXPECT_EQ(1, sim.OpenNow(kPath));
    sim.WriteReport(kPath, kbdsim::Report({0x05, 0x02}));
    EXPECT_EQ(0, probe.Wait(30000)) << "a Failure of lifetime_probe";
    CloseHandle(go);
    CloseHandle(ready);
  }
}

}  // namespace
