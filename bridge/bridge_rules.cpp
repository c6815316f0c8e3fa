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

FeatureReport MakeFeatureReport(unsigned char report_id, unsigned char value) {
  return {report_id, value, 0, 0, 0};
}

}  // namespace bridge
