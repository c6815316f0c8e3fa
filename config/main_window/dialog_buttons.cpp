// The buttons that open the four dialogs, and Cancel. Configure Buttons and View Functions
// edit the key EditButton names; after them the key rows are drawn again, whatever the dialog
// ended with.
#include "main_window/dialog_windows.h"
#include "main_window/main_window.h"
#include "main_window/selected_rows.h"
#include "variant.h"

namespace {

// A dialog that does not exist (yet) shows nothing; its result is not used.
void ShowDialog(form::Form* dialog) {
  if (dialog) dialog->ShowModal();
}

void ShowEditingDialog(Tzokcfg_0& window, form::Form* dialog, int key) {
  EditButton = key;
  ShowDialog(dialog);
  window.RefreshButtonLabels();
  window.RefreshButtonIcons();
}

// The key group's buttons edit only a user scheme (item above 0 of the scheme list).
bool UserSchemeSelected(Tzokcfg_0& window) { return window.ComboBox1->ItemIndex() > 0; }

// Create.
void BitBtn1Click(Tzokcfg_0&, form::Component&) { ShowDialog(zokcfg_1); }

// Configure buttons of the key group.
void BitBtn3Click(Tzokcfg_0& window, form::Component&) {
  if (UserSchemeSelected(window)) ShowEditingDialog(window, zokcfg_2, KeyRow);
}

// View functions: in the key group in YEV, in the numpad group in ZOK.
void BitBtn4Click(Tzokcfg_0& window, form::Component&) {
  if (UserSchemeSelected(window))
    ShowEditingDialog(window, zokcfg_3, variant::kIsYev ? KeyRow : NumPadRow);
}

// Configure buttons of the numpad group.
void BitBtn5Click(Tzokcfg_0& window, form::Component&) {
  ShowEditingDialog(window, zokcfg_2, NumPadRow);
}

// Cancel: the program ends; nothing is written and nothing started.
void BitBtn7Click(Tzokcfg_0& window, form::Component&) { window.App().Terminate(); }

// About.
void BitBtn9Click(Tzokcfg_0&, form::Component&) { ShowDialog(zokcfg_4); }

const MainWindowHandler kCreate("BitBtn1Click", BitBtn1Click);
const MainWindowHandler kConfigureKeys("BitBtn3Click", BitBtn3Click);
const MainWindowHandler kViewFunctions("BitBtn4Click", BitBtn4Click);
const MainWindowHandler kConfigureNumPad("BitBtn5Click", BitBtn5Click);
const MainWindowHandler kCancel("BitBtn7Click", BitBtn7Click);
const MainWindowHandler kAbout("BitBtn9Click", BitBtn9Click);

}  // namespace
