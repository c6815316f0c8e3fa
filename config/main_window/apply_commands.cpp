#include "main_window/apply_commands.h"

#include <shellapi.h>

#include "contracts/hotkey_handler.h"
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

// OK: every row to the user scheme file, the selection as the active scheme, the registry
// mirror, then the hot-key handler, which finds all of it written. The program ends unless
// Delete runs this apply.
void Tzokcfg_0::BitBtn6Click(form::Component&) {
  SaveAllRows(*this);
  SaveCurrentSchemeIndex(*this, UserSchemeFile);
  MirrorSchemeToRegistry(*this);
  StartHotkeyHandler();
  if (ApplyFromDelete) {
    ApplyFromDelete = false;
    return;
  }
  App().Terminate();
}

// The tray-icon check box, on every change of its state (by the user or by start-up).
void Tzokcfg_0::CheckBox1Click(form::Component&) { ApplyTrayIconChoice(CheckBox1->Checked()); }

// Help.
void Tzokcfg_0::BitBtn8Click(form::Component&) { StartHelpStarter(Handle(), InstallFolder); }
