#include "main_window/apply_commands.h"

#include <shellapi.h>

#include "store/contracts.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "main_window/registry_mirror.h"
#include "system/registry_settings.h"
#include "main_window/scheme_list.h"
#include "main_window/scheme_rows.h"

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

// OK: every row to the user scheme file, the selection as the active scheme, the registry
// mirror, then the hot-key handler, which finds all of it written. The program ends unless
// Delete runs this apply.
void BitBtn6Click(Tzokcfg_0& window, form::Component&) {
  SaveAllRows(window);
  SaveCurrentSchemeIndex(window, UserSchemeFile);
  MirrorSchemeToRegistry(window);
  StartHotkeyHandler();
  if (ApplyFromDelete) {
    ApplyFromDelete = false;
    return;
  }
  window.App().Terminate();
}

// The tray-icon check box, on every change of its state (by the user or by start-up).
void CheckBox1Click(Tzokcfg_0& window, form::Component&) {
  ApplyTrayIconChoice(window.CheckBox1->Checked());
}

// Help.
void BitBtn8Click(Tzokcfg_0& window, form::Component&) {
  StartHelpStarter(window.Handle(), InstallFolder);
}

const MainWindowHandler kOk("BitBtn6Click", BitBtn6Click);
const MainWindowHandler kTrayBox("CheckBox1Click", CheckBox1Click);
const MainWindowHandler kHelp("BitBtn8Click", BitBtn8Click);

}  // namespace
