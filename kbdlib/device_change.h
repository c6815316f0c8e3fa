// Reading a WM_DEVICECHANGE notification safely: lParam is looked at only for the events that
// carry a notification, only when it is not null, and never past the notification's own size.
#pragma once
#include <windows.h>

#include <string>

enum class DeviceChangeKind {
  kOther,             // any event the library does not act on
  kInterfaceArrival,  // DBT_DEVICEARRIVAL of a device interface
  kQueryRemove,       // DBT_DEVICEQUERYREMOVE, whatever the device type
  kInterfaceRemoved,  // DBT_DEVICEREMOVECOMPLETE of a device interface
};

struct DeviceChange {
  DeviceChangeKind kind = DeviceChangeKind::kOther;
  std::string interface_name;  // 8-bit interface path of a removed interface
};

// Classifies the notification of (wparam, lparam). The interface name of a removal is taken
// as 8-bit text, or with `wide_names` as UTF-16 text converted to the ANSI code page.
DeviceChange ReadDeviceChange(WPARAM wparam, LPARAM lparam, bool wide_names);
