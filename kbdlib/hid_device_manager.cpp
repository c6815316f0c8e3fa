#include "hid_device_manager.h"

#include <string.h>

#include <new>

#include "device_matching.h"
#include "library.h"
#include "notify_window.h"
#include "variant.h"

HWND ClientWindow = nullptr;
UINT KeyReportMessage = contracts::kDefaultKeyReportMessage;
int DriverUsagePage = 0;
int MatchedList[kMatchedListSize] = {};
int MatchedCount = 0;
HWND ReaderWindow = nullptr;
HINSTANCE ModuleInstance = nullptr;

namespace {

constexpr int kInitialInterfaceCapacity = 40;
// The keyboard needs a moment between feature reports.
constexpr DWORD kPauseAfterFeatureMs = 1;
const char kInterfaceFilterName[] = "CHIDKBD";
// The size the platform is told for each filter record (its own 32-bit layout).
constexpr DWORD kInterfaceFilterSize = 32;
constexpr DWORD kHandleFilterSize = 44;
// Consecutive enumeration errors (other than the end of the list) after which the walk stops,
// so a persistent error cannot loop forever or grow the array without bound.
constexpr int kMaxConsecutiveEnumErrors = 16;

// Doubles the array's capacity; the new entries are empty. False when memory runs out (the
// old array is then untouched).
bool GrowInterfaceArray(HidInterfaceInfo*& array, int& capacity) {
  int grown = capacity == 0 ? kInitialInterfaceCapacity : capacity * 2;
  HidInterfaceInfo* bigger = new (std::nothrow) HidInterfaceInfo[grown];
  if (!bigger) return false;
  for (int i = 0; i < capacity; ++i) bigger[i] = array[i];
  delete[] array;
  array = bigger;
  capacity = grown;
  return true;
}

// The detail record (with the interface path) of one enumerated interface, or nullptr. The
// first call, without a buffer, fails on purpose and reports the size needed.
SP_DEVICE_INTERFACE_DETAIL_DATA_A* GetInterfaceDetail(HDEVINFO set,
                                                      SP_DEVICE_INTERFACE_DATA* interface_data) {
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailA(set, interface_data, nullptr, 0, &required, nullptr);
  if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return nullptr;
  auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(operator new(required, std::nothrow));
  if (!detail) return nullptr;
  memset(detail, 0, required);
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  if (!SetupDiGetDeviceInterfaceDetailA(set, interface_data, detail, required, nullptr, nullptr)) {
    operator delete(detail);
    return nullptr;
  }
  reinterpret_cast<char*>(detail)[required - 1] = 0;  // the path always ends in the buffer
  return detail;
}

// Reads preparsed data, attributes and capabilities of the open entry; the preparsed data is
// always released again. False when any of them cannot be had.
bool QueryHidInterface(HidInterfaceInfo* entry) {
  if (!HidD_GetPreparsedData(entry->handle, &entry->preparsed)) {
    entry->preparsed = nullptr;
    return false;
  }
  entry->attributes.Size = sizeof(HIDD_ATTRIBUTES);
  bool ok = HidD_GetAttributes(entry->handle, &entry->attributes) &&
            HidP_GetCaps(entry->preparsed, &entry->caps) == HIDP_STATUS_SUCCESS;
  HidD_FreePreparsedData(entry->preparsed);
  entry->preparsed = nullptr;
  return ok;
}

void ClearEntry(HidInterfaceInfo* entry) { *entry = HidInterfaceInfo(); }

bool HasReaderSlot(int index) { return index >= 0 && index < kReaderSlotCount; }

// The hidden window's handlers: the one manager.
void DeviceChangeReceived(const DeviceChange& change) { DeviceManager().OnDeviceChange(change); }
void ReaderReportReceived(WPARAM index, LPARAM report) {
  DeviceManager().ForwardReaderReport(index, report);
}

}  // namespace

bool OpenHidInterface(const char* path, bool read, bool write, bool overlapped, bool exclusive,
                      bool query, HidInterfaceInfo* entry) {
  ClearEntry(entry);
  if (!path) return false;
  char* copy = new (std::nothrow) char[kMaxPathChars + 1];
  if (!copy) return false;
  if (strnlen(path, kMaxPathChars + 1) > kMaxPathChars) {
    delete[] copy;
    return false;
  }
  strcpy(copy, path);
  DWORD access = (read ? GENERIC_READ : 0) | (write ? GENERIC_WRITE : 0);
  DWORD sharing = exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE handle = CreateFileA(copy, access, sharing, nullptr, OPEN_EXISTING,
                              overlapped ? FILE_FLAG_OVERLAPPED : 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    delete[] copy;
    return false;
  }
  entry->path = copy;
  entry->handle = handle;
  if (!query) return true;
  if (!QueryHidInterface(entry)) {
    delete[] copy;
    CloseHandle(handle);
    ClearEntry(entry);
    return false;
  }
  return true;
}

bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }

HidDeviceManager::HidDeviceManager(ReaderList& readers) : readers_(readers) {
  ReaderWindow = nullptr;
}

int HidDeviceManager::EnumerateHidInterfaces(HidInterfaceInfo** array) {
  *array = nullptr;
  GUID hid_guid;
  HidD_GetHidGuid(&hid_guid);
  HDEVINFO set = SetupDiGetClassDevsA(&hid_guid, nullptr, nullptr,
                                      DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return 0;

  HidInterfaceInfo* entries = nullptr;
  int capacity = 0;
  int consecutive_errors = 0;
  for (int index = 0;; ++index) {
    if (index >= capacity && !GrowInterfaceArray(entries, capacity)) break;
    SP_DEVICE_INTERFACE_DATA interface_data = {};
    interface_data.cbSize = sizeof(interface_data);
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hid_guid, index, &interface_data)) {
      if (GetLastError() == ERROR_NO_MORE_ITEMS) {
        SetupDiDestroyDeviceInfoList(set);
        *array = entries;
        return index;
      }
      // This entry stays empty; a persistent error ends the walk after the last good entry.
      if (++consecutive_errors >= kMaxConsecutiveEnumErrors) {
        SetupDiDestroyDeviceInfoList(set);
        *array = entries;
        return index + 1 - consecutive_errors;
      }
      continue;
    }
    consecutive_errors = 0;
    SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail = GetInterfaceDetail(set, &interface_data);
    if (!detail) break;
    OpenHidInterface(detail->DevicePath, false, false, false, false, true, &entries[index]);
    operator delete(detail);
  }
  // Out of memory or no detail: release everything made so far; no interfaces.
  ReleaseHidInterfaces(entries, capacity);
  SetupDiDestroyDeviceInfoList(set);
  return 0;
}

void HidDeviceManager::ReleaseHidInterface(HidInterfaceInfo* entry, bool full) {
  delete[] entry->path;
  entry->path = nullptr;
  if (entry->handle) CloseHandle(entry->handle);
  entry->handle = nullptr;
  if (full && entry->preparsed) HidD_FreePreparsedData(entry->preparsed);
  if (full) entry->preparsed = nullptr;
}

void HidDeviceManager::ReleaseHidInterfaces(HidInterfaceInfo* array, int count) {
  if (!array) return;
  for (int i = 0; i < count; ++i) ReleaseHidInterface(&array[i], true);
  delete[] array;
}

int HidDeviceManager::BuildDeviceTable() {
  FreeDeviceTable();
  int count = EnumerateHidInterfaces(&enumeration_array);
  device_count = count;
  if (count != 0) {
    device_table = new (std::nothrow) DeviceRecord[count];
    if (!device_table) device_count = 0;
  }
  for (int i = 0; i < device_count; ++i) {
    const HidInterfaceInfo& entry = enumeration_array[i];
    DeviceRecord& record = device_table[i];
    if (!entry.path) continue;
    strcpy(record.path, entry.path);
    record.usage_page = entry.caps.UsagePage;
    record.usage = entry.caps.Usage;
    record.vendor_id = entry.attributes.VendorID;
    record.product_id = entry.attributes.ProductID;
  }
  ReleaseHidInterfaces(enumeration_array, count);
  enumeration_array = nullptr;
  return device_count;
}

void HidDeviceManager::FreeDeviceTable() {
  StopAllReaders();
  if (device_count == 0) return;
  delete[] device_table;
  device_table = nullptr;
  device_count = 0;
  enumeration_array = nullptr;
}

DeviceRecord* HidDeviceManager::GetDeviceRecord(int index) {
  if (index < 0 || index >= device_count) return nullptr;
  return &device_table[index];
}

int HidDeviceManager::OpenDeviceHandle(int index, bool overlapped) {
  DeviceRecord* record = GetDeviceRecord(index);
  if (!record || record->path[0] == 0) return 0;
  HANDLE handle = overlapped
      ? CreateFileA(record->path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr)
      : CreateFileA(record->path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    record->handle = nullptr;
    return 0;
  }
  record->handle = handle;
  record->event = CreateEventA(nullptr, TRUE, TRUE, "HIDOV");
  return 1;
}

bool HidDeviceManager::IsDeviceOpen(int index) {
  DeviceRecord* record = GetDeviceRecord(index);
  return record && record->handle;
}

// --- What the exports do ---

int HidDeviceManager::InitDriver(HWND client_window, UINT key_report_message, int usage_page) {
  ClientWindow = client_window;
  KeyReportMessage = key_report_message;
  DriverUsagePage = usage_page;
  // The hidden window, the idle thread and the readers run this library's code until the
  // process ends, whatever the client unloads.
  KeepLibraryLoaded();
  CreateNotifyWindow(ModuleInstance, variant::kIsYev,
                     NotifyWindowHandlers{DeviceChangeReceived, ReaderReportReceived});
  RegisterInterfaceNotification(NotifyWindow);
  DeviceArrival();
  return 1;
}

int HidDeviceManager::SetKbdFeatures(int usage_page, int usage, void* report) {
  for (int i = 0; i < device_count; ++i) {
    if (!MatchesForFeatures(device_table[i], usage_page, usage)) continue;
    if (IsDeviceOpen(i)) {
      SendFeatureReport(i, report, contracts::kFeatureReportLength);
    } else if (OpenDeviceHandle(i, false)) {
      SendFeatureReport(i, report, contracts::kFeatureReportLength);
      CloseDeviceHandle(i);
    }
  }
  return 1;
}

int HidDeviceManager::ReadDevice(int usage_page, int usage) {
  int started = 0;
  for (int i = 0; i < device_count && started < kMatchedListSize; ++i) {
    if (!MatchesForReading(device_table[i], usage_page, usage)) continue;
    StartReader(i);
    ++started;
  }
  return 1;
}

int HidDeviceManager::DeviceArrival() {
  StopAllReaders();
  FreeDeviceTable();
  int count = BuildDeviceTable();
  MatchedCount = 0;
  for (int i = 0; i < count && MatchedCount < kMatchedListSize; ++i) {
    if (MatchesForArrival(device_table[i], DriverUsagePage)) MatchedList[MatchedCount++] = i;
  }
  const UINT message = MatchedCount > 0 ? contracts::kDevicePresentMessage : contracts::kDeviceAbsentMessage;
  return PostMessageA(ClientWindow, message, 0, 0);
}

void HidDeviceManager::CloseAllDevices() {
  StopAllReaders();
  for (int i = 0; i < device_count; ++i) {
    if (HasVariantVendor(device_table[i]) && IsDeviceOpen(i)) CloseDeviceHandle(i);
  }
}

// --- What reaches the hidden window ---

void HidDeviceManager::OnDeviceChange(const DeviceChange& change) {
  switch (change.kind) {
    case DeviceChangeKind::kInterfaceArrival:
      CloseAllDevices();
      DeviceArrival();
      break;
    case DeviceChangeKind::kQueryRemove:
      CloseAllDevices();
      break;
    case DeviceChangeKind::kInterfaceRemoved:
      // Walks MatchedList as it stands after each step: a removed interface that is one of
      // the matched collections closes everything and enumerates again.
      for (int k = 0; k < MatchedCount; ++k) {
        if (PathMatchesDevice(change.interface_name.c_str(), MatchedList[k])) {
          CloseAllDevices();
          DeviceArrival();
        }
      }
      break;
    case DeviceChangeKind::kOther:
      break;
  }
}

// Anything not sent by a reader of this process that is delivering exactly this buffer
// (another process, a made-up address, a repeated message) is ignored.
// A reader stopped while it sends still has its report delivered: the report was read
// before the stop, and its buffer stays valid until the send returns.
void HidDeviceManager::ForwardReaderReport(WPARAM index, LPARAM report) {
  if (index >= static_cast<WPARAM>(kReaderSlotCount) || !InSendMessage()) return;
  if (!readers_.ClaimDelivery(index, report)) return;
  SendMessageA(ClientWindow, KeyReportMessage, LOWORD(index), report);
}

// --- Notification registrations ---

void HidDeviceManager::RegisterInterfaceNotification(HWND window) {
  // A second InitDriver replaces the earlier registration rather than leaking it.
  UnregisterInterfaceNotification();
  notification_window = window;
  ZeroMemory(&interface_filter, sizeof interface_filter);
  interface_filter.header.dbcc_size = kInterfaceFilterSize;
  interface_filter.header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  HidD_GetHidGuid(&interface_filter.header.dbcc_classguid);
  lstrcpynA(interface_filter.header.dbcc_name, kInterfaceFilterName,
            sizeof interface_filter.header.dbcc_name + sizeof interface_filter.name_room);
  if (IsWindowsNT() && window) {
    interface_notification = RegisterDeviceNotificationA(window, &interface_filter,
                                                         DEVICE_NOTIFY_WINDOW_HANDLE);
  }
}

void HidDeviceManager::UnregisterInterfaceNotification() {
  if (!notification_window) return;
  if (interface_notification) UnregisterDeviceNotification(interface_notification);
  interface_notification = nullptr;
  notification_window = nullptr;
  ZeroMemory(&interface_filter, sizeof interface_filter);
}

void HidDeviceManager::RegisterHandleNotification(int index) {
  if (!IsDeviceOpen(index) || !notification_window) return;
  DeviceRecord& record = device_table[index];
  ZeroMemory(&handle_filter, sizeof handle_filter);
  handle_filter.dbch_size = kHandleFilterSize;
  handle_filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
  handle_filter.dbch_handle = record.handle;
  record.handle_notification =
      RegisterDeviceNotificationA(notification_window, &handle_filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void HidDeviceManager::UnregisterHandleNotification(int index) {
  if (!IsDeviceOpen(index)) return;
  DeviceRecord& record = device_table[index];
  if (record.handle_notification) UnregisterDeviceNotification(record.handle_notification);
  record.handle_notification = nullptr;
}

int HidDeviceManager::PathMatchesDevice(const char* name, int index) {
  DeviceRecord* record = GetDeviceRecord(index);
  if (!record || !name || !record->path[0]) return 0;
  return lstrcmpiA(name, record->path) == 0 ? 1 : 0;
}

// --- Readers and collections ---

bool HidDeviceManager::StartReader(int index) {
  if (index < 0 || index >= device_count || !HasReaderSlot(index)) return false;
  if (IsDeviceOpen(index)) return false;
  if (!OpenDeviceHandle(index, true)) return false;
  RegisterHandleNotification(index);
  // A reader that ended by itself stays in its slot until it is stopped.
  StopReaderOfSlot(index);
  ReaderWindow = notification_window;
  reader_slots[index] = readers_.Start(index, device_table[index].handle, ReaderWindow);
  return reader_slots[index] != nullptr;
}

int HidDeviceManager::StopReader(int index) {
  if (!IsDeviceOpen(index)) return 0;
  if (HasReaderSlot(index)) StopReaderOfSlot(index);
  UnregisterHandleNotification(index);
  CloseDeviceHandle(index);
  return 1;
}

void HidDeviceManager::StopAllReaders() {
  for (int i = 0; i < device_count; ++i) StopReader(i);
  // Slots beyond the current table (none in normal use) are stopped too, so no reader is
  // ever left running without a slot.
  for (int i = 0; i < kReaderSlotCount; ++i) StopReaderOfSlot(i);
}

void HidDeviceManager::StopReaderOfSlot(int index) {
  ReaderContext* reader = reader_slots[index];
  if (!reader) return;
  reader_slots[index] = nullptr;
  readers_.Stop(reader);
}

int HidDeviceManager::CloseDeviceHandle(int index) {
  DeviceRecord* record = GetDeviceRecord(index);
  if (!record) return 0;
  if (record->handle_notification) {
    UnregisterDeviceNotification(record->handle_notification);
    record->handle_notification = nullptr;
  }
  if (record->event) {
    CloseHandle(record->event);
    record->event = nullptr;
  }
  if (record->handle) {
    CloseHandle(record->handle);
    record->handle = nullptr;
  }
  return 1;
}

BOOL HidDeviceManager::SendFeatureReport(int index, void* report, ULONG length) {
  DeviceRecord* record = GetDeviceRecord(index);
  if (!record) return FALSE;
  BOOL sent = record->handle ? HidD_SetFeature(record->handle, report, length) : FALSE;
  SleepEx(kPauseAfterFeatureMs, FALSE);
  return sent;
}
