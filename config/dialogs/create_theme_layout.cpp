#include "dialogs/create_theme_dialog.h"

form::Layout CreateThemeLayout() {
  using form::Kind;
  using form::Row;
  const form::FontAttributes kDefaultFont{L"Default", -11, -1};
  form::Layout layout;
  layout.form = EditingDialogWindow("zokcfg_1", L"Create New Theme", 413, 135);

  auto& rows = layout.rows;
  rows.push_back(Row("GroupBox1", Kind::kGroupBox, "", 4, 0, 405, 100).NoTabStop());
  rows.push_back(Row("Label1", Kind::kLabel, "GroupBox1", 12, 16, 380, 32).Font(kDefaultFont).WordWrap());
  rows.push_back(Row("Edit1", Kind::kEdit, "GroupBox1", 12, 64, 380, 21)
                     .Font(kDefaultFont)
                     .TabOrder(0)
                     .OnChange("Edit1_999Change"));
  rows.push_back(Row("Edit1_999", Kind::kEdit, "GroupBox1", 10, 62, 320, 21)
                     .Font(kDefaultFont)
                     .Hidden()
                     .Disabled()
                     .NoTabStop()
                     .OnChange("Edit1_999Change"));
  rows.push_back(Row("BitBtn1", Kind::kButton, "", 230, 105, 85, 25)
                     .Text(L"OK")
                     .Font(kDefaultFont)
                     .Disabled()
                     .OnClick("BitBtn1Click"));
  rows.push_back(Row("BitBtn2", Kind::kButton, "", 320, 105, 85, 25).Text(L"Cancel").Font(kDefaultFont).OnClick("BitBtn2Click"));
  return layout;
}
