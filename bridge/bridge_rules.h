// The bridge's rules that need no window: command line, power events, report forwarding and
// feature reports.
#pragma once
#include <windows.h>

#include <array>

#include "contracts/keyboard_library.h"

namespace bridge {

// The number the bridge gives InitDriver for key reports.
constexpr UINT kKeyReportMessage = contracts::kDefaultKeyReportMessage;

// Whether the arguments (the command line after the program name) ask a running copy to
// stop: only a lower-case "q" as their first character does.
bool AsksToQuit(const char* arguments);

enum class PowerAction { kNothing, kRemoveDevice, kDeviceArrival };
PowerAction ActionForPowerEvent(WPARAM event);

// A 5-byte feature report: report id, value, three zero bytes.
using FeatureReport = std::array<unsigned char, contracts::kFeatureReportLength>;
FeatureReport MakeFeatureReport(unsigned char report_id, unsigned char value);

// The feature reports the bridge sets, in order: report id and value.
struct FeatureSetting {
  unsigned char report_id;
  unsigned char value;
};
// On arrival of the keyboard: both reports to 2, then both to 0, a pause between each two.
constexpr FeatureSetting kArrivalFeatures[] = {{2, 2}, {3, 2}, {2, 0}, {3, 0}};
// On the connect request: both reports to 2, a pause between them.
constexpr FeatureSetting kConnectFeatures[] = {{2, 2}, {3, 2}};
// On the features-off request: both reports to 0, without a pause.
constexpr FeatureSetting kFeaturesOff[] = {{2, 0}, {3, 0}};
// The pause between two feature reports of the arrival and connect sequences.
constexpr DWORD kFeaturePauseMs = 100;

}  // namespace bridge
