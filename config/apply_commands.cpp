#include "apply_commands.h"

#include <shellapi.h>

#include "contracts.h"
#include "registry_settings.h"

using namespace contracts;

void ApplyTrayIconChoice(bool show) {
  if (HWND tray = FindWindowW(kTrayWindowClass, kTrayWindowTitle))
    PostMessageW(tray, kTrayIconMessage, show ? 1 : 0, 0);
  WriteTrayIconSetting(show ? 1 : 0);
}

void StartHotkeyHandler() { WinExec(kHotkeyCommandLine, SW_HIDE); }

void StartHelpStarter(HWND owner, const std::wstring& install_folder) {
  ShellExecuteW(owner, nullptr, kHelpStarterFile, nullptr, install_folder.c_str(), SW_SHOW);
}
