// The hot-key handler, a program outside the system: its main window and the messages and the
// command line by which the configuration program and the key-event bridge reach it.
#pragma once

namespace contracts {

// Its main window. The configuration program looks the title up as kConfigHotkeyWindowTitle,
// the bridge as kBridgeHotkeyWindowTitle; the title is matched regardless of case, so both find
// the same window.
constexpr char kHotkeyWindowClass[] = "AfxFrameOrView42sud";
constexpr char kConfigHotkeyWindowTitle[] = "ZOKHKWND";
constexpr char kBridgeHotkeyWindowTitle[] = "ZOKHkWND";

// Bridge -> handler, posted for every key report: wParam the device-table index, lParam the
// report's first four bytes (keyboard_library.h, ReportFirstFourBytes).
constexpr unsigned kForwardedKeyMessage = 0x500;
// Handler -> configuration main window: wParam 0 hides the numpad group, 1 shows it.
constexpr unsigned kNumPadStateMessage = 0x701;
// Configuration main window -> handler, sent three times at start-up: lParam the main window.
constexpr unsigned kConfigHelloMessage = 0x702;
constexpr int kConfigHelloCount = 3;

// Started hidden after every apply.
constexpr char kHotkeyCommandLine[] = "ZOKHKEY.EXE u";

}  // namespace contracts
