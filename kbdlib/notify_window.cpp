#include "notify_window.h"

#include <dbt.h>

#include "device_change.h"
#include "exports.h"
#include "hid_device_manager.h"
#include "reader.h"
#include "variant.h"

namespace {

const char kWindowClass[] = "ZOKUSBClass";
const char kWindowTitle[] = "ZOKUSBKEYMSG";
const char kInterfaceFilterName[] = "CHIDKBD";
// The size the platform is told for each filter record (its own 32-bit layout).
constexpr DWORD kInterfaceFilterSize = 32;
constexpr DWORD kHandleFilterSize = 44;

// Walks MatchedList as it stands after each step: a removed interface that is one of the
// matched collections closes everything and enumerates again.
void HandleInterfaceRemoved(const std::string& name) {
  for (int k = 0; k < MatchedCount; ++k) {
    if (DeviceManager.PathMatchesDevice(name.c_str(), MatchedList[k])) {
      CloseAllDevices();
      DeviceArrival();
    }
  }
}

void HandleDeviceChange(WPARAM wparam, LPARAM lparam) {
  DeviceChange change = ReadDeviceChange(wparam, lparam, variant::kIsYev);
  switch (change.kind) {
    case DeviceChangeKind::kInterfaceArrival:
      CloseAllDevices();
      DeviceArrival();
      break;
    case DeviceChangeKind::kQueryRemove:
      CloseAllDevices();
      break;
    case DeviceChangeKind::kInterfaceRemoved:
      HandleInterfaceRemoved(change.interface_name);
      break;
    case DeviceChangeKind::kOther:
      break;
  }
}

// Passes a reader's report on to the client, but only when it is sent by another thread
// while the reader of that slot is delivering exactly this buffer; anything else (another
// process, a stale slot, a made-up address) is ignored.
void ForwardReaderReport(WPARAM wparam, LPARAM lparam) {
  if (wparam >= static_cast<WPARAM>(kReaderSlotCount) || !InSendMessage()) return;
  ReaderContext* context = DeviceManager.reader_slots[wparam];
  if (!context || !ClaimReaderDelivery(context, lparam)) return;
  SendMessageA(ClientWindow, KeyReportMessage, LOWORD(wparam), lparam);
}

}  // namespace

int CreateNotifyWindow() {
  WNDCLASSA window_class = {};
  window_class.style = CS_PARENTDC;
  window_class.lpfnWndProc = NotifyWndProc;
  window_class.hInstance = ModuleInstance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszMenuName = "";
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassA(&window_class)) return 0;
  NotifyWindow = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, ModuleInstance, nullptr);
  ShowWindow(NotifyWindow, SW_HIDE);
  // The idle loop runs until the process ends; its handle is not needed.
  HANDLE idle = CreateThread(nullptr, 0, IdleMessageLoop, nullptr, 0, nullptr);
  if (idle) CloseHandle(idle);
  return 1;
}

DWORD WINAPI IdleMessageLoop(LPVOID) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_DEVICECHANGE:
      HandleDeviceChange(wparam, lparam);
      return 0;
    case ReaderReportMessage:
      ForwardReaderReport(wparam, lparam);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

// --- The manager's notification registrations ---

void HidDeviceManager::RegisterInterfaceNotification(HWND window) {
  // A second InitDriver replaces the earlier registration rather than leaking it.
  if (interface_notification) {
    UnregisterDeviceNotification(interface_notification);
    interface_notification = nullptr;
  }
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
