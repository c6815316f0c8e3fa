#include "dialogs/configure_buttons_dialog.h"
#include "dialogs/key_edit.h"

form::Layout ConfigureButtonsLayout() {
  using form::Kind;
  using form::Row;
  form::Layout layout = KeyEditLayout({"zokcfg_2", L"Configure Buttons", 238, 200});
  layout.rows.push_back(Row("Edit2", Kind::kEdit, "GroupBox1", 12, 163, 320, 21)
                            .Font(kKeyEditFont)
                            .TabOrder(1)
                            .OnChange("Edit2Change")
                            .OnKeyDown("Edit2KeyDown"));
  layout.rows.push_back(
      Row("BitBtn3", Kind::kButton, "GroupBox1", 342, 162, 85, 25)
          .Text(L"Browse")
          .Font(kKeyEditFont)
          .TabOrder(2)
          .OnClick("BitBtn3Click"));
  AddOkAndCancel(layout, 206);
  return layout;
}
