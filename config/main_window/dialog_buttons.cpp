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

}  // namespace

// Create.
void Tzokcfg_0::BitBtn1Click(form::Component&) { ShowDialog(zokcfg_1); }

// Configure buttons of the key group.
void Tzokcfg_0::BitBtn3Click(form::Component&) {
  if (UserSchemeSelected(*this)) ShowEditingDialog(*this, zokcfg_2, KeyRow);
}

// View functions: in the key group in YEV, in the numpad group in ZOK.
void Tzokcfg_0::BitBtn4Click(form::Component&) {
  if (UserSchemeSelected(*this)) ShowEditingDialog(*this, zokcfg_3, variant::kIsYev ? KeyRow : NumPadRow);
}

// Configure buttons of the numpad group.
void Tzokcfg_0::BitBtn5Click(form::Component&) { ShowEditingDialog(*this, zokcfg_2, NumPadRow); }

// Cancel: the program ends; nothing is written and nothing started.
void Tzokcfg_0::BitBtn7Click(form::Component&) { App().Terminate(); }

// About.
void Tzokcfg_0::BitBtn9Click(form::Component&) { ShowDialog(zokcfg_4); }
