// A client of the simulated ZOKUSB.dll that ends its life with readers running, for
// kbdlib_lifetime_test:
//   lifetime_probe exit     reads the keyboard and ends the process while a reader is held
//                           in its read (kbdsim::Simulator::HoldReads)
//   lifetime_probe unload   reads the keyboard, waits for the event "ZokProbeGo", unloads the
//                           library, sets "ZokProbeUnloaded", waits for "ZokProbeGo" again
// Exits with 0, or 2 when something could not be done.
#include <windows.h>

#include <cstring>

#include "sim_library.h"
#include "sim_shared.h"

namespace {

constexpr int kUsagePage = 0xFF00;
constexpr DWORD kWaitMs = 10000;

bool WaitForHeldRead() {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitMs) {
    kbdsim::SharedState* state = kbdsim::UnlockedState();
    if (state && state->reads_held > 0) return true;
    Sleep(5);
  }
  return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 2) return 2;
  const bool unload = strcmp(__argv[1], "unload") == 0;
  kbdsim::LibraryUnderTest library(kbdsim::ExecutableFolder() + L"sim\\ZOKUSB.dll");
  kbdsim::RecordingWindow client;
  if (!library.loaded() || !client.hwnd()) return 2;
  library.init_driver(client.hwnd(), 0x500, kUsagePage);
  library.read_device(kUsagePage, kUsagePage);
  if (!unload) return WaitForHeldRead() ? 0 : 2;

  HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, "ZokProbeGo");
  HANDLE unloaded = OpenEventA(EVENT_MODIFY_STATE, FALSE, "ZokProbeUnloaded");
  if (!go || !unloaded || WaitForSingleObject(go, kWaitMs) != WAIT_OBJECT_0) return 2;
  FreeLibrary(library.module());
  SetEvent(unloaded);
  // Alive while the test looks; a reader that ran on in the unloaded code would end the
  // process with an error meanwhile.
  return WaitForSingleObject(go, kWaitMs) == WAIT_OBJECT_0 ? 0 : 2;
}
