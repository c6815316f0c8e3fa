// State of the simulated keyboard shared between the test process that drives it and every
// process that loads a simulated library: one named file mapping guarded by a named mutex.
#pragma once
#include <windows.h>

namespace kbdsim {

constexpr int kMaxDevices = 60;
constexpr int kMaxPathBytes = 320;
constexpr int kFeatureLogCapacity = 4096;
constexpr int kMaxFeatureBytes = 16;
constexpr char kPipePrefix[] = "\\\\.\\pipe\\";

// Failure bits of one device (see kbd_simulator.h).
enum DeviceFailure : unsigned {
  kFailOpen = 1,        // the interface is listed but cannot be opened
  kFailPreparsed = 2,   // HidD_GetPreparsedData fails
  kFailAttributes = 4,  // HidD_GetAttributes fails
  kFailCaps = 8,        // HidP_GetCaps reports an error
  kFailFeature = 16,    // HidD_SetFeature fails (the attempt is still logged)
};

struct SharedDevice {
  char path[kMaxPathBytes];  // full interface path, "\\.\pipe\<name>"
  USHORT vendor_id;
  USHORT product_id;
  USHORT usage_page;
  USHORT usage;
  LONG failures;   // DeviceFailure bits
  LONG opens;      // clients connected since the device was added
  LONG open_now;   // clients connected and not yet gone
  LONG handle_notifications;  // handle notifications registered for its handles, not yet
                              // unregistered
};

// What an entry of the device-call log records.
enum DeviceCallKind : LONG {
  kCallFeature = 0,  // HidD_SetFeature
  kCallReader = 1,   // a handle registered for notifications: a reader started on the device
};

// The filter of one device-notification registration, as the library gave it.
struct SharedFilter {
  DWORD size;         // the size field
  DWORD device_type;
  GUID class_guid;    // interface filters only
  char name[16];      // interface filters only: the start of the name field
};

struct SharedFeatureReport {
  LONG kind;  // DeviceCallKind
  char path[kMaxPathBytes];
  long long micros;  // NowMicros() when HidD_SetFeature was called
  ULONG length;      // length passed by the caller
  BYTE bytes[kMaxFeatureBytes];  // the first bytes of the report
  LONG succeeded;
};

struct SharedState {
  LONG device_count;
  SharedDevice devices[kMaxDevices];  // in enumeration order
  // Enumeration failures.
  LONG fail_class_devs;     // SetupDiGetClassDevsA fails
  LONG enum_error_from;     // first member index whose SetupDiEnumDeviceInterfaces fails
  LONG enum_error_count;    // how many consecutive indices fail; -1: every one from there on
  LONG detail_error_from;   // SetupDiGetDeviceInterfaceDetailA fails for this member index
                            // and every later one (-1: never)
  // Counters.
  LONG info_sets_created;
  LONG info_sets_destroyed;
  LONG preparsed_got;
  LONG preparsed_freed;
  LONG feature_count;        // entries ever logged (the log keeps the first capacity ones)
  SharedFeatureReport features[kFeatureLogCapacity];  // device calls, in call order
  // The library's own platform calls.
  LONG hold_reads;           // ReadFileEx waits before it starts a read while this is set
  LONG reads_held;           // reads waiting so now
  LONG windows_9x;           // GetVersion answers as a 9x-family system does
  LONG interface_registrations;  // interface registrations made
  LONG interface_notifications;  // interface registrations not yet unregistered
  SharedFilter interface_filter;  // of the last interface registration
  SharedFilter handle_filter;     // of the last handle registration
};

// Exclusive access to the shared state while alive. state() is nullptr when no simulator
// has made the state (and `create` was false).
class SharedAccess {
 public:
  explicit SharedAccess(bool create = false);
  ~SharedAccess();
  SharedAccess(const SharedAccess&) = delete;
  SharedAccess& operator=(const SharedAccess&) = delete;
  SharedState* state() const { return state_; }

 private:
  SharedState* state_ = nullptr;
  HANDLE mutex_ = nullptr;
};

// The shared state without the lock, for reading or setting one word; nullptr when no
// simulator has made it.
SharedState* UnlockedState();

// Microseconds of the machine's performance counter; comparable between processes.
long long NowMicros();

// Index of the device whose path equals `path` ignoring case, or -1 (lock held).
int FindDevice(const SharedState& state, const char* path);

}  // namespace kbdsim
