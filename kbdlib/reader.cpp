// Reader threads and the closing of collections. Placeholder: readers are not started yet;
// stopping only closes open collections.
#include "reader.h"

#include "hid_device_manager.h"

HWND ReaderWindow = nullptr;

DWORD WINAPI ReaderThread(LPVOID) { return 0; }

bool HidDeviceManager::StartReader(int) { return false; }

int HidDeviceManager::StopReader(int index) {
  if (!IsDeviceOpen(index)) return 0;
  CloseDeviceHandle(index);
  return 1;
}

void HidDeviceManager::StopAllReaders() {
  for (int i = 0; i < device_count; ++i) StopReader(i);
}

int HidDeviceManager::CloseDeviceHandle(int index) {
  DeviceRecord* record = GetDeviceRecord(index);
  if (!record) return 0;
  if (record->event) CloseHandle(record->event);
  if (record->handle) CloseHandle(record->handle);
  record->event = nullptr;
  record->handle = nullptr;
  return 1;
}

BOOL HidDeviceManager::SendFeatureReport(int index, void* report, ULONG length) {
  DeviceRecord* record = GetDeviceRecord(index);
  if (!record) return FALSE;
  BOOL sent = HidD_SetFeature(record->handle, report, length);
  SleepEx(1, FALSE);
  return sent;
}
