// The five exported functions: each passes the call on to the one manager.
#include "exports.h"

#include "library.h"

int __stdcall InitDriver(HWND client_window, UINT key_report_message, int usage_page) {
  return DeviceManager().InitDriver(client_window, key_report_message, usage_page);
}

int __stdcall SetKbdFeatures(int usage_page, int usage, void* report) {
  return DeviceManager().SetKbdFeatures(usage_page, usage, report);
}

int __stdcall RemoveDevice() {
  DeviceManager().CloseAllDevices();
  return 1;
}

int __stdcall ReadDevice(int usage_page, int usage) {
  return DeviceManager().ReadDevice(usage_page, usage);
}

int __stdcall DeviceArrival() { return DeviceManager().DeviceArrival(); }
