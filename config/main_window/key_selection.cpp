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

template <int Key>
void RadioClick(Tzokcfg_0& window, form::Component&) {
  SelectKey(window, Key);
}

const MainWindowHandler kRadio1("RadioButton1Click", RadioClick<0>);
const MainWindowHandler kRadio2("RadioButton2Click", RadioClick<1>);
const MainWindowHandler kRadio3("RadioButton3Click", RadioClick<2>);
const MainWindowHandler kRadio4("RadioButton4Click", RadioClick<3>);
const MainWindowHandler kRadio5("RadioButton5Click", RadioClick<4>);
const MainWindowHandler kRadio6("RadioButton6Click", RadioClick<5>);
const MainWindowHandler kRadio7("RadioButton7Click", RadioClick<6>);
const MainWindowHandler kRadio8("RadioButton8Click", RadioClick<7>);
const MainWindowHandler kRadio9("RadioButton9Click", RadioClick<8>);
const MainWindowHandler kRadio10("RadioButton10Click", RadioClick<9>);

}  // namespace
