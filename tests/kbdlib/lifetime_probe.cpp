// A client of a simulated library that ends its life with readers running, for
// kbdlib_lifetime_test:
//   lifetime_probe exit            reads the keyboard with ZOKUSB.dll and ends the process
//                                  while a reader is held in its read (kbdsim::Simulator::HoldReads)
//   lifetime_probe unload <file>   loads and unloads the library; loads it and reads the keyboard;
//                                  at "ZokProbeGo" unloads it and, at each set of "ZokProbeReady",
//                                  takes a key report: after the unload, and after a device arrival
//                                  at the hidden window and a second load and InitDriver
// Exits with 0, or with a Failure.
#include <windows.h>
#include <dbt.h>

#include <cstring>
#include <string>

#include "kbd_simulator.h"
#include "sim_library.h"
#include "sim_shared.h"

namespace {

constexpr int kUsagePage = 0xFF00;
constexpr DWORD kWaitMs = 10000;

enum Failure { kNotDone = 2, kStillLoaded, kGone, kNoReportAfterUnload, kArrivalLost, kNoReportAfterRestart };

bool WaitForHeldRead() {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitMs) {
    kbdsim::SharedState* state = kbdsim::UnlockedState();
    if (state && state->reads_held > 0) return true;
    Sleep(5);
  }
  return false;
}

bool Start(const kbdsim::LibraryUnderTest& library, HWND client) {
  return library.loaded() && library.init_driver(client, 0x500, kUsagePage) &&
         library.read_device(kUsagePage, kUsagePage);
}

// To each window of this thread: the client's and the library's hidden one.
BOOL CALLBACK SendArrival(HWND window, LPARAM) {
  kbdsim::SendInterfaceNotification(window, DBT_DEVICEARRIVAL, "", false);
  return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const bool unload = __argc == 3 && strcmp(__argv[1], "unload") == 0;
  const std::string name = unload ? __argv[2] : "ZOKUSB.dll";
  const std::wstring path = kbdsim::ExecutableFolder() + L"sim\\" + std::wstring(name.begin(), name.end());
  if (unload) {
    HMODULE unstarted = LoadLibraryW(path.c_str());
    if (!unstarted || !FreeLibrary(unstarted)) return kNotDone;
    if (GetModuleHandleA(name.c_str())) return kStillLoaded;
  }
  kbdsim::LibraryUnderTest library(path);
  kbdsim::RecordingWindow client;
  if (!client.hwnd() || !Start(library, client.hwnd())) return kNotDone;
  if (!unload) return WaitForHeldRead() ? 0 : kNotDone;

  HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, "ZokProbeGo");
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "ZokProbeReady");
  if (!go || !ready || WaitForSingleObject(go, kWaitMs) != WAIT_OBJECT_0) return kNotDone;
  FreeLibrary(library.module());
  if (!GetModuleHandleA(name.c_str())) return kGone;
  SetEvent(ready);
  // Code of the library still runs: its reader, its window's procedure, a second start.
  if (!client.PumpUntil(0x500, 1, kWaitMs)) return kNoReportAfterUnload;
  EnumThreadWindows(GetCurrentThreadId(), SendArrival, 0);
  if (!client.PumpUntil(0x600, 2)) return kArrivalLost;
  kbdsim::LibraryUnderTest again(path);
  if (!Start(again, client.hwnd())) return kNotDone;
  SetEvent(ready);
  return client.PumpUntil(0x500, 2, kWaitMs) ? 0 : kNoReportAfterRestart;
}
