// The main window's start-up sequence ("FormCreate") and the pieces of it that other code and
// tests use on their own.
#pragma once
#include <windows.h>

#include "main_window/panel_layout.h"

class Tzokcfg_0;

// The window's current control heights for the panel layout.
PanelHeights PanelHeightsOf(const Tzokcfg_0& window);
// Hides and disables the numpad group, then lays the panel, the check box, the bottom buttons
// and the client height out for the hidden group.
void HideNumPadGroupAndLayOut(Tzokcfg_0& window);
// How long one ConfigHelloMessage send waits for the hot-key handler at most.
constexpr unsigned kConfigHelloTimeoutMs = 5000;

// Sends the hot-key handler's window ConfigHelloMessage `count` times (wParam 0, lParam
// `main_window`), each send waiting for the handler up to kConfigHelloTimeoutMs. Returns the
// sends made: 0 when the handler's window does not exist.
int SendConfigHello(HWND main_window, int count);
