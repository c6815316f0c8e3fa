// The library's one HidDeviceManager: the device table, the enumeration of HID interfaces,
// the opening and closing of collections, the readers' slots, the notification
// registrations and what the five exports do. Everything here is touched only by the
// client's thread that called InitDriver, never by readers. The one manager belongs to the
// library's state (library.h).
#pragma once
#include <windows.h>
#include <dbt.h>

#include "device_change.h"
#include "hid_api.h"
#include "reader.h"

constexpr int kReaderSlotCount = 30;   // readers exist only for device-table indices 0 to 29
constexpr int kMatchedListSize = 10;   // at most this many matched collections are kept
constexpr int kMaxPathChars = 259;     // longest interface path accepted, without terminator

// One HID interface present at the last enumeration; its position in the table is the
// device-table index that travels with every key report. A record whose path is empty has
// every other field zero, so no matching rule ever selects it.
struct DeviceRecord {
  HANDLE handle = nullptr;                  // open collection handle, nullptr when closed
  HDEVNOTIFY handle_notification = nullptr;  // handle-notification registration while read
  char path[kMaxPathChars + 1] = {};        // interface path; empty when not opened/queried
  ULONG usage_page = 0;                     // top-level usage page, widened from 16 bits
  ULONG usage = 0;                          // top-level usage
  USHORT vendor_id = 0;
  USHORT product_id = 0;
  HANDLE event = nullptr;                   // the "HIDOV" event while the collection is open
};

// One interface while the enumeration runs. Every entry starts empty.
struct HidInterfaceInfo {
  char* path = nullptr;                       // heap copy of the interface path, or nullptr
  HANDLE handle = nullptr;                    // handle opened for the query, or nullptr
  PHIDP_PREPARSED_DATA preparsed = nullptr;   // held only while the capabilities are read
  HIDP_CAPS caps = {};                        // usage page and usage
  HIDD_ATTRIBUTES attributes = {};            // vendor and product id
};

// The device-interface notification filter with room for the name written after its
// header: the platform record ends one character into the name field, so "CHIDKBD" and its
// terminator need the extra bytes here.
struct InterfaceFilter {
  DEV_BROADCAST_DEVICEINTERFACE_A header;
  char name_room[8];
};

class HidDeviceManager {
 public:
  // Starts its readers in `readers`, which must outlive it.
  explicit HidDeviceManager(ReaderList& readers);
  // Never runs: the manager lives until the process ends (library.h).
  virtual ~HidDeviceManager() = default;
  HidDeviceManager(const HidDeviceManager&) = delete;
  HidDeviceManager& operator=(const HidDeviceManager&) = delete;

  // What the exports do (exports.cpp only passes the calls on).
  int InitDriver(HWND client_window, UINT key_report_message, int usage_page);
  int SetKbdFeatures(int usage_page, int usage, void* report);
  int ReadDevice(int usage_page, int usage);
  int DeviceArrival();
  // Stops every reader, then closes every still-open collection of the variant's vendor.
  void CloseAllDevices();

  // What reaches the hidden window.
  void OnDeviceChange(const DeviceChange& change);
  // Passes a reader's report on to the client, but only when it is sent by another thread
  // while a reader is delivering exactly this buffer.
  void ForwardReaderReport(WPARAM index, LPARAM report);

  // Enumeration and the device table.
  // Walks every present HID interface into a new array stored at *array (nullptr on failure);
  // returns the number of interfaces walked, 0 on failure.
  int EnumerateHidInterfaces(HidInterfaceInfo** array);
  // Releases the entry's path copy and handle; with `full`, its preparsed data too.
  void ReleaseHidInterface(HidInterfaceInfo* entry, bool full);
  // Releases entries 0 to count - 1 and then the array.
  void ReleaseHidInterfaces(HidInterfaceInfo* array, int count);
  // Rebuilds the table from a fresh enumeration; returns the device count.
  int BuildDeviceTable();
  // Stops every reader, closes every open collection and releases the table.
  void FreeDeviceTable();
  // The record at `index`, or nullptr when the index is outside the table.
  DeviceRecord* GetDeviceRecord(int index);
  // Opens the collection: overlapped read-write for a reader, or with no access (for feature
  // reports). Also creates the record's "HIDOV" event. Returns 1 when opened, else 0.
  int OpenDeviceHandle(int index, bool overlapped);
  // True when the index lies in the table and the record's handle is open.
  bool IsDeviceOpen(int index);

  // Notifications.
  void RegisterInterfaceNotification(HWND window);
  void UnregisterInterfaceNotification();
  void RegisterHandleNotification(int index);
  void UnregisterHandleNotification(int index);
  int PathMatchesDevice(const char* name, int index);

  // Readers and collections.
  bool StartReader(int index);
  int StopReader(int index);
  void StopAllReaders();
  // Stops the reader of slot `index` (if any) and empties the slot; never waits for it.
  void StopReaderOfSlot(int index);
  int CloseDeviceHandle(int index);
  BOOL SendFeatureReport(int index, void* report, ULONG length);

  // The manager's fields.
  HWND notification_window = nullptr;  // receives device notifications; set by
                                       // RegisterInterfaceNotification
  int device_count = 0;                // entries in device_table
  DeviceRecord* device_table = nullptr;
  HidInterfaceInfo* enumeration_array = nullptr;  // exists only while BuildDeviceTable runs
  InterfaceFilter interface_filter = {};          // device-interface filter, owned here
  DEV_BROADCAST_HANDLE handle_filter = {};        // one handle filter, reused per registration
  HDEVNOTIFY interface_notification = nullptr;    // registration of interface_filter
  // Reader slot i belongs to device-table index i (0 to 29): the reader started for it, or
  // nullptr. A stopped reader is let go at once (its context is freed once its thread is
  // done with it), so the slot may be reused at once.
  ReaderContext* reader_slots[kReaderSlotCount] = {};

 private:
  ReaderList& readers_;
};

// Library state beside the manager (one copy per process).
extern HWND ClientWindow;              // window given to InitDriver; gets every message
extern UINT KeyReportMessage;          // number of the key-report message given to InitDriver
extern int DriverUsagePage;            // usage page given to InitDriver; used by DeviceArrival
extern int MatchedList[kMatchedListSize];  // matched device-table indices, in table order
extern int MatchedCount;               // valid entries of MatchedList, 0 to 10
extern HWND ReaderWindow;              // window every reader delivers to
extern HINSTANCE ModuleInstance;       // the library's own module, stored by DllMain

// Free operations of the device table.
// Opens `path` into `entry`; with `query` also reads attributes and capabilities. On any
// failure the entry is left empty (nothing held, nothing open) and false is returned.
bool OpenHidInterface(const char* path, bool read, bool write, bool overlapped, bool exclusive,
                      bool query, HidInterfaceInfo* entry);
// True on the NT family (high bit of the platform version clear).
bool IsWindowsNT();
