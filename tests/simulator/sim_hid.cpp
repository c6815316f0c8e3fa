// The simulated hid.dll and setupapi functions that the library calls, and watches on its
// device notifications, reads and version query. Interfaces are the devices in the shared
// state; their paths are named pipes served by the simulator, opened
// with the real CreateFileA. A handle is traced back to its device by its pipe name.
#ifndef _SETUPAPI_
#define _SETUPAPI_  // define the setupapi functions here instead of importing them
#endif
#include <windows.h>
#include <dbt.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

#include <stddef.h>
#include <string.h>

#include <map>
#include <mutex>
#include <new>
#include <set>
#include <string>

#include "sim_shared.h"

using namespace kbdsim;

namespace {

// {4D1E55B2-F16F-11CF-88CB-001111000030}, the HID interface class.
constexpr GUID kHidGuid = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
constexpr DWORD kInfoSetMagic = 0x534B4249;   // "IBKS"
constexpr DWORD kPreparsedMagic = 0x5050534B;  // "KSPP"

// The interface paths present when SetupDiGetClassDevsA was called.
struct InfoSet {
  DWORD magic = kInfoSetMagic;
  int count = 0;
  char paths[kMaxDevices][kMaxPathBytes] = {};
};

// What HidP_GetCaps reads back, taken when the preparsed data was handed out.
struct Preparsed {
  DWORD magic = kPreparsedMagic;
  USHORT usage_page = 0;
  USHORT usage = 0;
  bool fail_caps = false;
};

InfoSet* AsInfoSet(HDEVINFO set) {
  auto* info = static_cast<InfoSet*>(set);
  return info && info != INVALID_HANDLE_VALUE && info->magic == kInfoSetMagic ? info : nullptr;
}

// The full pipe path ("\\.\pipe\name") of an open handle, or an empty text.
void PathOfHandle(HANDLE handle, char* path, size_t size) {
  path[0] = 0;
  using QueryFn = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
  static auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFileInformationByHandleEx")));
  struct {
    DWORD length;
    WCHAR name[kMaxPathBytes];
  } info = {};
  constexpr int kFileNameInfo = 2;
  if (!query || !query(handle, kFileNameInfo, &info, sizeof(info))) return;
  char name[kMaxPathBytes] = {};
  int chars = static_cast<int>(info.length / sizeof(WCHAR));
  if (WideCharToMultiByte(CP_ACP, 0, info.name, chars, name, kMaxPathBytes - 1, nullptr, nullptr) !=
      chars) {
    return;
  }
  // The pipe file system names the pipe "\name".
  if (name[0] == '\\' && strlen(kPipePrefix) + strlen(name) < size) {
    strcpy(path, kPipePrefix);
    strcat(path, name + 1);
  }
}

// Runs `use` on the device of `handle` with the state locked; false when it has none.
template <typename Use>
bool WithDeviceOf(HANDLE handle, Use use) {
  char path[kMaxPathBytes];
  PathOfHandle(handle, path, sizeof(path));
  SharedAccess access;
  int index = access.state() && path[0] ? FindDevice(*access.state(), path) : -1;
  if (index < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return use(*access.state(), access.state()->devices[index]);
}

// Appends an entry to the device-call log; its time and kind are set, the rest is zero.
SharedFeatureReport* LogDeviceCall(SharedState& state, const SharedDevice& device,
                                   DeviceCallKind kind) {
  if (state.feature_count++ >= kFeatureLogCapacity) return nullptr;
  SharedFeatureReport& entry = state.features[state.feature_count - 1];
  memset(&entry, 0, sizeof entry);
  entry.kind = kind;
  strcpy(entry.path, device.path);
  entry.micros = NowMicros();
  return &entry;
}

// The filter as the library gave it: its size field, device type and, for an interface
// filter, class and the start of its name.
SharedFilter CopyFilter(const DEV_BROADCAST_HDR* header) {
  SharedFilter copy = {};
  copy.size = header->dbch_size;
  copy.device_type = header->dbch_devicetype;
  if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
    const auto* filter = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(header);
    copy.class_guid = filter->dbcc_classguid;
    strncpy(copy.name, filter->dbcc_name, sizeof copy.name - 1);
  }
  return copy;
}

// The registrations of this process: for each handle registration the device path it was
// made for, and the interface registrations. Never destroyed, so that a library's own end,
// which unregisters after the run-time has destroyed static objects, still finds them.
struct Registrations {
  std::mutex mutex;
  std::map<HDEVNOTIFY, std::string> handles;
  std::set<HDEVNOTIFY> interfaces;
};
Registrations& TheRegistrations() {
  static Registrations* registrations = new Registrations;
  return *registrations;
}

void RememberHandleRegistration(HDEVNOTIFY registration, const char* path) {
  std::lock_guard<std::mutex> lock(TheRegistrations().mutex);
  TheRegistrations().handles[registration] = path;
}

std::string ForgetHandleRegistration(HDEVNOTIFY registration) {
  std::lock_guard<std::mutex> lock(TheRegistrations().mutex);
  auto& handles = TheRegistrations().handles;
  auto found = handles.find(registration);
  if (found == handles.end()) return std::string();
  std::string path = found->second;
  handles.erase(found);
  return path;
}

}  // namespace

extern "C" {

void NTAPI HidD_GetHidGuid(LPGUID guid) { *guid = kHidGuid; }

HDEVINFO WINAPI SetupDiGetClassDevsA(const GUID* guid, PCSTR enumerator, HWND, DWORD flags) {
  if (!guid || enumerator || memcmp(guid, &kHidGuid, sizeof(GUID)) != 0 ||
      flags != (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  SharedAccess access;
  SharedState* state = access.state();
  if (state && state->fail_class_devs) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  auto* set = new (std::nothrow) InfoSet;
  if (!set) return INVALID_HANDLE_VALUE;
  if (state) {
    set->count = state->device_count;
    for (int i = 0; i < set->count; ++i) strcpy(set->paths[i], state->devices[i].path);
    InterlockedIncrement(&state->info_sets_created);
  }
  return set;
}

WINBOOL WINAPI SetupDiEnumDeviceInterfaces(HDEVINFO set_handle, PSP_DEVINFO_DATA, const GUID* guid,
                                           DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
  InfoSet* set = AsInfoSet(set_handle);
  if (!set || !guid || !data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
    SetLastError(set ? ERROR_INVALID_USER_BUFFER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  {
    SharedAccess access;
    SharedState* state = access.state();
    if (state && state->enum_error_from >= 0 && static_cast<LONG>(index) >= state->enum_error_from &&
        (state->enum_error_count < 0 ||
         static_cast<LONG>(index) < state->enum_error_from + state->enum_error_count)) {
      SetLastError(ERROR_INVALID_DATA);
      return FALSE;
    }
  }
  if (static_cast<int>(index) >= set->count) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  data->InterfaceClassGuid = *guid;
  data->Flags = SPINT_ACTIVE;
  data->Reserved = index + 1;
  return TRUE;
}

WINBOOL WINAPI SetupDiGetDeviceInterfaceDetailA(HDEVINFO set_handle, PSP_DEVICE_INTERFACE_DATA data,
                                                PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                DWORD detail_size, PDWORD required_size,
                                                PSP_DEVINFO_DATA) {
  InfoSet* set = AsInfoSet(set_handle);
  if (!set || !data || data->Reserved == 0 || static_cast<int>(data->Reserved) > set->count) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const char* path = set->paths[data->Reserved - 1];
  DWORD needed = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) +
                                    strlen(path) + 1);
  if (required_size) *required_size = needed;
  if (!detail || detail_size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  {
    SharedAccess access;
    LONG from = access.state() ? access.state()->detail_error_from : -1;
    if (from >= 0 && static_cast<LONG>(data->Reserved - 1) >= from) {
      SetLastError(ERROR_INVALID_DATA);
      return FALSE;
    }
  }
  strcpy(detail->DevicePath, path);
  return TRUE;
}

WINBOOL WINAPI SetupDiDestroyDeviceInfoList(HDEVINFO set_handle) {
  InfoSet* set = AsInfoSet(set_handle);
  if (!set) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  set->magic = 0;
  delete set;
  SharedAccess access;
  if (access.state()) InterlockedIncrement(&access.state()->info_sets_destroyed);
  return TRUE;
}

BOOLEAN NTAPI HidD_GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* preparsed) {
  return WithDeviceOf(handle, [&](SharedState& state, SharedDevice& device) {
    if (device.failures & kFailPreparsed) return false;
    auto* data = new (std::nothrow) Preparsed;
    if (!data) return false;
    data->usage_page = device.usage_page;
    data->usage = device.usage;
    data->fail_caps = (device.failures & kFailCaps) != 0;
    *preparsed = reinterpret_cast<PHIDP_PREPARSED_DATA>(data);
    state.preparsed_got++;
    return true;
  });
}

BOOLEAN NTAPI HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsed) {
  auto* data = reinterpret_cast<Preparsed*>(preparsed);
  if (!data || data->magic != kPreparsedMagic) return FALSE;
  data->magic = 0;
  delete data;
  SharedAccess access;
  if (access.state()) access.state()->preparsed_freed++;
  return TRUE;
}

BOOLEAN NTAPI HidD_GetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) {
  return WithDeviceOf(handle, [&](SharedState&, SharedDevice& device) {
    if (device.failures & kFailAttributes) return false;
    attributes->Size = sizeof(HIDD_ATTRIBUTES);
    attributes->VendorID = device.vendor_id;
    attributes->ProductID = device.product_id;
    attributes->VersionNumber = 0x0100;
    return true;
  });
}

NTSTATUS NTAPI HidP_GetCaps(PHIDP_PREPARSED_DATA preparsed, PHIDP_CAPS caps) {
  auto* data = reinterpret_cast<Preparsed*>(preparsed);
  if (!data || data->magic != kPreparsedMagic || data->fail_caps) {
    return HIDP_STATUS_INVALID_PREPARSED_DATA;
  }
  memset(caps, 0, sizeof(*caps));
  caps->UsagePage = data->usage_page;
  caps->Usage = data->usage;
  caps->InputReportByteLength = 32;
  caps->FeatureReportByteLength = 5;
  return HIDP_STATUS_SUCCESS;
}

BOOLEAN NTAPI HidD_SetFeature(HANDLE handle, PVOID report, ULONG length) {
  return WithDeviceOf(handle, [&](SharedState& state, SharedDevice& device) {
    bool ok = (device.failures & kFailFeature) == 0;
    if (SharedFeatureReport* entry = LogDeviceCall(state, device, kCallFeature)) {
      entry->length = length;
      memcpy(entry->bytes, report, length < kMaxFeatureBytes ? length : kMaxFeatureBytes);
      entry->succeeded = ok;
    }
    return ok;
  });
}

// The library's RegisterDeviceNotificationA and UnregisterDeviceNotification (renamed in its
// simulated build, see CMakeLists.txt): passed on to the platform; the filter of each is kept,
// interface registrations are counted, and a registration for a device's handle (a reader's
// start) is logged and counted for that device until it is unregistered.
HDEVNOTIFY WINAPI SimRegisterDeviceNotificationA(HANDLE recipient, LPVOID filter, DWORD flags) {
  HDEVNOTIFY registration = RegisterDeviceNotificationA(recipient, filter, flags);
  auto* header = static_cast<DEV_BROADCAST_HDR*>(filter);
  if (!registration || !header) return registration;
  if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
    {
      std::lock_guard<std::mutex> lock(TheRegistrations().mutex);
      TheRegistrations().interfaces.insert(registration);
    }
    SharedAccess access;
    if (access.state()) {
      access.state()->interface_filter = CopyFilter(header);
      access.state()->interface_registrations++;
      access.state()->interface_notifications++;
    }
    return registration;
  }
  if (header->dbch_devicetype != DBT_DEVTYP_HANDLE) return registration;
  HANDLE handle = static_cast<DEV_BROADCAST_HANDLE*>(filter)->dbch_handle;
  WithDeviceOf(handle, [&](SharedState& state, SharedDevice& device) {
    device.handle_notifications++;
    state.handle_filter = CopyFilter(header);
    LogDeviceCall(state, device, kCallReader);
    RememberHandleRegistration(registration, device.path);
    return true;
  });
  return registration;
}

BOOL WINAPI SimUnregisterDeviceNotification(HDEVNOTIFY registration) {
  bool interface_registration;
  {
    std::lock_guard<std::mutex> lock(TheRegistrations().mutex);
    interface_registration = TheRegistrations().interfaces.erase(registration) != 0;
  }
  std::string path = ForgetHandleRegistration(registration);
  if (interface_registration || !path.empty()) {
    SharedAccess access;
    int index = access.state() && !path.empty() ? FindDevice(*access.state(), path.c_str()) : -1;
    if (index >= 0) access.state()->devices[index].handle_notifications--;
    if (access.state() && interface_registration) access.state()->interface_notifications--;
  }
  return UnregisterDeviceNotification(registration);
}

// The library's ReadFileEx: while reads are held, waits before starting the read.
BOOL WINAPI SimReadFileEx(HANDLE file, LPVOID buffer, DWORD bytes, LPOVERLAPPED overlapped,
                          LPOVERLAPPED_COMPLETION_ROUTINE completion) {
  SharedState* state = UnlockedState();
  if (state && state->hold_reads) {
    InterlockedIncrement(&state->reads_held);
    while (state->hold_reads) Sleep(5);
    InterlockedDecrement(&state->reads_held);
  }
  return ReadFileEx(file, buffer, bytes, overlapped, completion);
}

// The library's GetVersion: the platform's, with the high bit of a 9x-family system when
// the simulator says so.
DWORD WINAPI SimGetVersion() {
  SharedState* state = UnlockedState();
  DWORD version = GetVersion();
  return state && state->windows_9x ? version | 0x80000000u : version;
}

// The import entries the renamed calls go through.
void* sim_register_import __asm__("__imp__SimRegisterDeviceNotificationA@12") =
    reinterpret_cast<void*>(&SimRegisterDeviceNotificationA);
void* sim_unregister_import __asm__("__imp__SimUnregisterDeviceNotification@4") =
    reinterpret_cast<void*>(&SimUnregisterDeviceNotification);
void* sim_read_import __asm__("__imp__SimReadFileEx@20") = reinterpret_cast<void*>(&SimReadFileEx);
void* sim_version_import __asm__("__imp__SimGetVersion@0") = reinterpret_cast<void*>(&SimGetVersion);

}  // extern "C"
