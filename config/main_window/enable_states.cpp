// The edit controls of the main window: the factory scheme (item 0 of the scheme list) cannot
// be edited or deleted; any other selection, none included, can.
#include "main_window/main_window.h"

void Tzokcfg_0::UpdateEnableStates() {
  const bool editable = ComboBox1->ItemIndex() != 0;
  form::Control* controls[] = {BitBtn2,      BitBtn3,      BitBtn4,      BitBtn5,
                               RadioButton1, RadioButton2, RadioButton3, RadioButton4,
                               RadioButton5, RadioButton6, RadioButton7, RadioButton8,
                               RadioButton9, RadioButton10};
  for (form::Control* control : controls) control->SetEnabled(editable);
}
