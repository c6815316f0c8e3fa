#include "hid_device_manager.h"

namespace {
// The keyboard needs a moment between feature reports.
constexpr DWORD kPauseAfterFeatureMs = 1;
}  // namespace

BOOL HidDeviceManager::SendFeatureReport(int index, void* report, ULONG length) {
  DeviceRecord* record = GetDeviceRecord(index);
  if (!record) return FALSE;
  BOOL sent = record->handle ? HidD_SetFeature(record->handle, report, length) : FALSE;
  SleepEx(kPauseAfterFeatureMs, FALSE);
  return sent;
}
