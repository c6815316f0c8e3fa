// The bridge's rules that need no window: command line, power events, report forwarding and
// feature reports.
#pragma once
#include <windows.h>

#include <array>

namespace bridge {

constexpr UINT kKeyReportMessage = 0x500;
constexpr UINT kForwardedKeyMessage = 0x500;
constexpr UINT kDevicePresentMessage = 0x600;
constexpr UINT kDeviceAbsentMessage = 0x700;
constexpr UINT kFeaturesOffMessage = 0x702;
// The library's hidden window (class kLibraryWindowClass, made on the dialog's thread by
// InitDriver) gets each reader report as kReaderReportMessage and sends it on to the dialog
// as kKeyReportMessage.
constexpr UINT kReaderReportMessage = 0x502;
constexpr char kLibraryWindowClass[] = "ZOKUSBClass";
constexpr int kKeyboardUsagePage = 0xFF00;
constexpr int kKeyboardUsage = 0xFF00;

// Whether the arguments (the command line after the program name) ask a running copy to
// stop: only a lower-case "q" as their first character does.
bool AsksToQuit(const char* arguments);

enum class PowerAction { kNothing, kRemoveDevice, kDeviceArrival };
PowerAction ActionForPowerEvent(WPARAM event);

// lParam of the forwarded key message: bytes 0 to 3 of the input report, little-endian.
LPARAM ForwardedKeyValue(const unsigned char* report);

// A 5-byte feature report: report id, value, three zero bytes.
using FeatureReport = std::array<unsigned char, 5>;
FeatureReport MakeFeatureReport(unsigned char report_id, unsigned char value);

}  // namespace bridge
