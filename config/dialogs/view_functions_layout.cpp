#include "dialogs/key_edit.h"
#include "dialogs/view_functions_dialog.h"

form::Layout ViewFunctionsLayout() {
  using form::Kind;
  using form::Row;
  form::Layout layout = KeyEditLayout({"zokcfg_3", L"View Functions", 239, 204});
  layout.rows.push_back(
      Row("ComboBox1", Kind::kComboBox, "GroupBox1", 14, 166, 317, 21).Font(kKeyEditFont).ItemHeight(13).TabOrder(1));
  AddOkAndCancel(layout, 210);
  return layout;
}
