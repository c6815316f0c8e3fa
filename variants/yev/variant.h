// Settings of the YEV keyboard variant.
#pragma once

namespace variant {

constexpr bool kIsYev = true;
constexpr const char kConfigProgram[] = "yevcfg";
constexpr const char kKbdLibrary[] = "YEVUSB";

// USB identifiers of the keyboard's collections: the vendor; any product is accepted.
constexpr unsigned short kVendorId = 0x2E5D;
constexpr unsigned short kProductIds[] = {0};
constexpr bool kAnyProduct = true;

}  // namespace variant
