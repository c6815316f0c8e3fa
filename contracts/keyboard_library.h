// Between the keyboard's HID access library and its client (the key-event bridge): the messages
// the library posts and sends, its hidden window, the usage page of the keyboard's collections
// and the reports' sizes.
#pragma once
#include <cstdint>

namespace contracts {

// To the client window: the number given to InitDriver (this one unless told), sent for every
// key report with the device-table index and the report's address.
constexpr unsigned kDefaultKeyReportMessage = 0x500;
// Posted to the client by each enumeration.
constexpr unsigned kDevicePresentMessage = 0x600;
constexpr unsigned kDeviceAbsentMessage = 0x700;

// The library's hidden window, made on the client's thread by InitDriver. Each reader sends it
// kReaderReportMessage (wParam the index, lParam the report's address), which it sends on to the
// client as the key-report message, then posts it kReaderNoticeMessage (lParam the report's first
// four bytes).
constexpr char kLibraryWindowClass[] = "ZOKUSBClass";
constexpr char kLibraryWindowTitle[] = "ZOKUSBKEYMSG";
constexpr unsigned kReaderNoticeMessage = 0x501;
constexpr unsigned kReaderReportMessage = 0x502;

// The keyboard's collections: usage page (and the usage the bridge reads), report sizes.
constexpr int kKeyboardUsagePage = 0xFF00;
constexpr int kKeyboardUsage = 0xFF00;
constexpr int kInputReportLength = 32;
constexpr int kFeatureReportLength = 5;

// Bytes 0 to 3 of an input report as a little-endian 32-bit value: the lParam of the reader's
// notice and of the message forwarded to the hot-key handler.
inline uint32_t ReportFirstFourBytes(const unsigned char* report) {
  return static_cast<uint32_t>(report[0]) | static_cast<uint32_t>(report[1]) << 8 |
         static_cast<uint32_t>(report[2]) << 16 | static_cast<uint32_t>(report[3]) << 24;
}

}  // namespace contracts
