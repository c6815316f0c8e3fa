// The key-event bridge as other programs meet it: its single-instance window and the two
// messages that reach it from outside the system.
#pragma once

namespace contracts {

// The running copy's dialog, which a second copy started with "q" asks to quit.
constexpr char kBridgeWindowClass[] = "#32770";
constexpr char kBridgeWindowTitle[] = "KeyBridge";

// Feature reports 2 and 3 set to 0.
constexpr unsigned kFeaturesOffMessage = 0x702;
// Registered by name; wParam 0 starts reading and sets feature reports 2 and 3 to 2.
constexpr char kKeyboardConnectMessageName[] = "ZOKKBDPNPCONNECT";

}  // namespace contracts
