#include "apply_commands.h"

#include <shellapi.h>

#include "contracts.h"
#include "main_window.h"
#include "program_texts.h"
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

namespace {

// The tray-icon check box, on every change of its state (by the user or by start-up).
void CheckBox1Click(Tzokcfg_0& window, form::Component&) {
  ApplyTrayIconChoice(window.CheckBox1->Checked());
}

// Help.
void BitBtn8Click(Tzokcfg_0& window, form::Component&) {
  StartHelpStarter(window.Handle(), InstallFolder);
}

const MainWindowHandler kTrayBox("CheckBox1Click", CheckBox1Click);
const MainWindowHandler kHelp("BitBtn8Click", BitBtn8Click);

}  // namespace
