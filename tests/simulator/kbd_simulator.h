// The simulated keyboard, driven by a test process.
//
// The simulated libraries (bin/sim/ZOKUSB.dll, bin/sim/YEVUSB.dll) are the real library
// sources linked against a test build of the hid.dll and setupapi functions. Those functions
// list the devices added here (in the order they were added), and answer HidD_GetAttributes,
// HidD_GetPreparsedData/HidP_GetCaps and HidD_SetFeature from them. Each device's interface
// path is a named pipe, "\\.\pipe\<name>", that a Simulator serves from a thread of the test
// process; the library opens and reads it with the real CreateFileA and ReadFileEx, so open
// handles, overlapped reads and unplugging behave as real kernel objects do.
//
// The device list, failure switches, counters and the feature-report log are machine-wide
// (a named shared memory), so a library loaded by another process (for instance KeyBridge.exe
// started by the test) sees the same devices. Only one Simulator may exist at a time on the
// machine: tests that use it take the ctest lock "hid".
//
// Typical use:
//   kbdsim::Simulator sim;                       // empty: no HID interfaces at all
//   sim.AddDevice({"kbd-a", 0x2E5C, 0x0B11, 0xFF00, 0xFF00});
//   ... load bin/sim/ZOKUSB.dll, InitDriver, ReadDevice ...
//   sim.WaitForOpen(kbdsim::DevicePath("kbd-a"), 1);   // a reader has the device open
//   sim.WriteReport(kbdsim::DevicePath("kbd-a"), kbdsim::Report({0x05, 0x11, 0x22, 0x33}));
//   auto log = sim.FeatureReports();
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "sim_shared.h"

namespace kbdsim {

using InputReport = std::array<BYTE, 32>;

// A 32-byte input report starting with `bytes`, zero-filled after them.
InputReport Report(std::initializer_list<BYTE> bytes);

// The interface path of the device named `name`: "\\.\pipe\" + name.
std::string DevicePath(const std::string& name);

struct DeviceSpec {
  std::string name;        // pipe name; the interface path is DevicePath(name)
  USHORT vendor_id = 0;
  USHORT product_id = 0;
  USHORT usage_page = 0;
  USHORT usage = 0;
  unsigned failures = 0;   // DeviceFailure bits (sim_shared.h): kFailOpen, kFailPreparsed,
                           // kFailAttributes, kFailCaps, kFailFeature
};

// Failures of the enumeration itself.
struct EnumerationFailures {
  bool class_devs = false;   // SetupDiGetClassDevsA returns INVALID_HANDLE_VALUE
  int enum_error_from = -1;  // SetupDiEnumDeviceInterfaces fails (ERROR_INVALID_DATA) from
                             // this member index on ...
  int enum_error_count = 0;  // ... for this many indices; -1: for every index from there on
  int detail_error_from = -1;  // SetupDiGetDeviceInterfaceDetailA fails (when given a
                               // buffer) for this member index and every later one
};

struct Counters {
  long info_sets_created = 0;    // SetupDiGetClassDevsA successes
  long info_sets_destroyed = 0;  // SetupDiDestroyDeviceInfoList calls
  long preparsed_got = 0;        // HidD_GetPreparsedData successes
  long preparsed_freed = 0;      // HidD_FreePreparsedData calls
};

// One HidD_SetFeature call, in call order.
struct FeatureReport {
  std::string path;         // interface path of the device it was sent to
  long long micros = 0;     // NowMicros() at the call
  std::vector<BYTE> bytes;  // the report as sent (its length is the caller's length)
  bool succeeded = false;
};

// The filter of a device-notification registration, as the library gave it.
struct NotificationFilter {
  DWORD size = 0;          // its size field
  DWORD device_type = 0;   // DBT_DEVTYP_DEVICEINTERFACE or DBT_DEVTYP_HANDLE
  GUID class_guid = {};    // interface filters only
  std::string name;        // interface filters only: its name field as 8-bit text
};

class Simulator {
 public:
  // Makes the shared state (no devices, no failures, counters and log cleared) and starts
  // the pipe server thread.
  Simulator();
  // Removes every device (clients see their pipes break) and stops the server.
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Plugs a device in at the end of the enumeration order; false when the list is full or
  // the path is taken. Its pipe is served at once (unless kFailOpen).
  bool AddDevice(const DeviceSpec& wanted);
  // Unplugs the device: it leaves the enumeration, and every open handle of it breaks (a
  // pending read ends with an error, later reads fail).
  bool RemoveDevice(const std::string& path);
  // Replaces the failure bits of a present device.
  bool SetDeviceFailures(const std::string& path, unsigned failures);
  void SetEnumerationFailures(const EnumerationFailures& failures);

  // Writes input reports into the pipe of every client that has the device open, in order,
  // from the calling thread (plain pipe writes); each client receives each report once.
  // Reports written while no client is connected are dropped, as a keyboard's are when nobody
  // reads. Returns false for an unknown device.
  bool WriteReport(const std::string& path, const InputReport& report);
  bool WriteReports(const std::string& path, const std::vector<InputReport>& burst);

  // Clients that opened the device since it was added / that have it open now (-1 unknown).
  // OpenNow is exact when it returns: a client that has opened the device counts and is
  // written to from then on, one that has closed it (or opened and closed it) does not count,
  // however late the server thread learns of either by itself.
  long Opens(const std::string& path);
  long OpenNow(const std::string& path);
  // Total open handles of every device.
  long OpenNowTotal();
  // Device-handle notifications registered for handles of the device and not yet
  // unregistered (-1 unknown).
  long HandleNotifications(const std::string& path);
  // Waits until OpenNow(path) equals `count`; false on time-out.
  bool WaitForOpen(const std::string& path, long count, DWORD timeout_ms = 5000);

  Counters GetCounters();
  std::vector<FeatureReport> FeatureReports();
  // Clears the feature reports and the calls of CallsOn.
  void ClearFeatureReports();
  // The readers started on the device (their handles registered for notifications) and the
  // feature reports sent to it, in call order: "reader" or "feature <id> <value>".
  std::vector<std::string> CallsOn(const std::string& path);

  // Interface registrations made by libraries since the simulator was made, those of them
  // not yet unregistered, and the filters of the last interface and handle registrations.
  long InterfaceRegistrations();
  long InterfaceNotifications();
  NotificationFilter LastInterfaceFilter();
  NotificationFilter LastHandleFilter();
  // While held, every read a library starts waits first (ReadsHeld counts those waiting).
  void HoldReads(bool hold);
  long ReadsHeld();
  // The libraries' version query answers as a 9x-family system does.
  void SetWindows9x(bool windows_9x);

 private:
  class Server;
  std::unique_ptr<Server> server_;
};

// Handles open in this process (counted by probing handle values).
long CountProcessHandles();
// Threads of this process.
long CountProcessThreads();

// Sends WM_DEVICECHANGE with a device-interface notification for `path` (as 8-bit or, with
// `wide`, UTF-16 name) to `window`, as the platform does on arrival (DBT_DEVICEARRIVAL) or
// removal (DBT_DEVICEREMOVECOMPLETE) of a HID interface. Returns the window's answer.
LRESULT SendInterfaceNotification(HWND window, WPARAM event, const std::string& path, bool wide);

}  // namespace kbdsim
