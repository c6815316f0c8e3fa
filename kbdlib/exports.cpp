// The five exported functions and the closing of every collection.
#include "exports.h"

#include "device_matching.h"
#include "hid_device_manager.h"
#include "notify_window.h"

void CloseAllDevices() {
  DeviceManager.StopAllReaders();
  for (int i = 0; i < DeviceManager.device_count; ++i) {
    if (HasVariantVendor(DeviceManager.device_table[i]) && DeviceManager.IsDeviceOpen(i)) {
      DeviceManager.CloseDeviceHandle(i);
    }
  }
}

int __stdcall InitDriver(HWND client_window, UINT key_report_message, int usage_page) {
  ClientWindow = client_window;
  KeyReportMessage = key_report_message;
  DriverUsagePage = usage_page;
  CreateNotifyWindow();
  DeviceManager.RegisterInterfaceNotification(NotifyWindow);
  DeviceArrival();
  return 1;
}

int __stdcall SetKbdFeatures(int usage_page, int usage, void* report) {
  for (int i = 0; i < DeviceManager.device_count; ++i) {
    if (!MatchesForFeatures(DeviceManager.device_table[i], usage_page, usage)) continue;
    if (DeviceManager.IsDeviceOpen(i)) {
      DeviceManager.SendFeatureReport(i, report, kFeatureReportLength);
    } else if (DeviceManager.OpenDeviceHandle(i, false)) {
      DeviceManager.SendFeatureReport(i, report, kFeatureReportLength);
      DeviceManager.CloseDeviceHandle(i);
    }
  }
  return 1;
}

int __stdcall RemoveDevice() {
  CloseAllDevices();
  return 1;
}

int __stdcall ReadDevice(int usage_page, int usage) {
  int started = 0;
  for (int i = 0; i < DeviceManager.device_count && started < kMatchedListSize; ++i) {
    if (!MatchesForReading(DeviceManager.device_table[i], usage_page, usage)) continue;
    DeviceManager.StartReader(i);
    ++started;
  }
  return 1;
}

int __stdcall DeviceArrival() {
  DeviceManager.StopAllReaders();
  DeviceManager.FreeDeviceTable();
  int count = DeviceManager.BuildDeviceTable();
  MatchedCount = 0;
  for (int i = 0; i < count && MatchedCount < kMatchedListSize; ++i) {
    if (MatchesForArrival(DeviceManager.device_table[i], DriverUsagePage)) {
      MatchedList[MatchedCount++] = i;
    }
  }
  UINT message = MatchedCount > 0 ? DevicePresentMessage : DeviceAbsentMessage;
  return PostMessageA(ClientWindow, message, 0, 0);
}
