// The hidden notification window and device notifications. Placeholder: no window is made
// and nothing is registered yet.
#include "notify_window.h"

#include "hid_device_manager.h"

int CreateNotifyWindow() { return 0; }

LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

DWORD WINAPI IdleMessageLoop(LPVOID) { return 0; }

void HidDeviceManager::RegisterInterfaceNotification(HWND window) { notification_window = window; }

void HidDeviceManager::UnregisterInterfaceNotification() { notification_window = nullptr; }

void HidDeviceManager::RegisterHandleNotification(int) {}

void HidDeviceManager::UnregisterHandleNotification(int) {}

int HidDeviceManager::PathMatchesDevice(const char* name, int index) {
  DeviceRecord* record = GetDeviceRecord(index);
  return record && name && lstrcmpiA(name, record->path) == 0 ? 1 : 0;
}
