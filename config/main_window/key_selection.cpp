// The radio buttons of the key rows: a click selects the key for the dialogs and its row of
// the selected scheme in the row table.
#include "main_window/main_window.h"
#include "main_window/scheme_rows.h"
#include "main_window/selected_rows.h"
#include "store/scheme_records.h"
#include "variant.h"

namespace {

form::RadioButton* RadioOfKey(Tzokcfg_0& window, int key) {
  form::RadioButton* radios[kKeyRecords] = {
      window.RadioButton1, window.RadioButton2, window.RadioButton3, window.RadioButton4,
      window.RadioButton5, window.RadioButton6, window.RadioButton7, window.RadioButton8,
      window.RadioButton9, window.RadioButton10};
  return radios[key];
}

// The key becomes the one the dialogs edit and the selected one of its group.
void SelectKey(Tzokcfg_0& window, int key) {
  EditButton = key;
  if (KeyInNumPadGroup(key, variant::kIsYev))
    NumPadRow = key;
  else
    KeyRow = key;
  RadioOfKey(window, key)->SetChecked(true);
  SelectRow(window, RowOfButton(EditButton));
}

}  // namespace

void Tzokcfg_0::RadioButton1Click(form::Component&) { SelectKey(*this, 0); }
void Tzokcfg_0::RadioButton2Click(form::Component&) { SelectKey(*this, 1); }
void Tzokcfg_0::RadioButton3Click(form::Component&) { SelectKey(*this, 2); }
void Tzokcfg_0::RadioButton4Click(form::Component&) { SelectKey(*this, 3); }
void Tzokcfg_0::RadioButton5Click(form::Component&) { SelectKey(*this, 4); }
void Tzokcfg_0::RadioButton6Click(form::Component&) { SelectKey(*this, 5); }
void Tzokcfg_0::RadioButton7Click(form::Component&) { SelectKey(*this, 6); }
void Tzokcfg_0::RadioButton8Click(form::Component&) { SelectKey(*this, 7); }
void Tzokcfg_0::RadioButton9Click(form::Component&) { SelectKey(*this, 8); }
void Tzokcfg_0::RadioButton10Click(form::Component&) { SelectKey(*this, 9); }
