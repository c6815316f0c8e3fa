// The main window's commands that reach other programs: OK (apply the settings and start the
// hot-key handler), the tray-icon check box and Help.
#pragma once
#include <windows.h>

#include <string>

// Tells the tray-icon program, when its window exists, to show (wParam 1) or hide (0) its
// icon with a posted TrayIconMessage, then stores the choice as "trayicon" in any case.
void ApplyTrayIconChoice(bool show);

// Starts "ZOKHKEY.EXE u" hidden, found by the platform's program search; not waited for.
void StartHotkeyHandler();

// Starts "HelpStarter.exe" with `install_folder` as its working folder (an empty text when
// the folder is empty), shown normally; failures are silent.
void StartHelpStarter(HWND owner, const std::wstring& install_folder);
