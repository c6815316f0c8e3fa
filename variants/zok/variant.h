// Settings of the ZOK keyboard variant.
#pragma once

namespace variant {

constexpr bool kIsYev = false;
constexpr const char kConfigProgram[] = "zokcfg";
constexpr const char kKbdLibrary[] = "ZOKUSB";

// USB identifiers of the keyboard's collections: vendor and accepted products, in order.
constexpr unsigned short kVendorId = 0x2E5C;
constexpr unsigned short kProductIds[] = {0x0B11, 0x0B12, 0x0B13};
constexpr bool kAnyProduct = false;

}  // namespace variant
