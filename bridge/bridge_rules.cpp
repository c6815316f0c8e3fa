#include "bridge_rules.h"

namespace bridge {

bool AsksToQuit(const char* arguments) { return arguments && arguments[0] == 'q'; }

PowerAction ActionForPowerEvent(WPARAM event) {
  switch (event) {
    case PBT_APMQUERYSUSPEND:
    case PBT_APMRESUMEAUTOMATIC:
      return PowerAction::kRemoveDevice;
    case PBT_APMQUERYSUSPENDFAILED:
    case PBT_APMRESUMECRITICAL:
    case PBT_APMRESUMESUSPEND:
      return PowerAction::kDeviceArrival;
    default:
      return PowerAction::kNothing;
  }
}

LPARAM ForwardedKeyValue(const unsigned char* report) {
  DWORD value = static_cast<DWORD>(report[0]) | static_cast<DWORD>(report[1]) << 8 |
                static_cast<DWORD>(report[2]) << 16 | static_cast<DWORD>(report[3]) << 24;
  return static_cast<LPARAM>(value);
}

FeatureReport MakeFeatureReport(unsigned char report_id, unsigned char value) {
  return {report_id, value, 0, 0, 0};
}

}  // namespace bridge
