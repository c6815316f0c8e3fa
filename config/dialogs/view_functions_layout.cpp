#include "dialogs/view_functions_dialog.h"

form::Layout ViewFunctionsLayout() {
  using form::Kind;
  using form::Row;
  const form::FontAttributes kDefaultFont{L"Default", -11, -1};
  form::Layout layout;
  form::FormRow& window = layout.form;
  window.name = "zokcfg_3";
  window.class_name = L"Tzokcfg_3";
  window.caption = L"View Functions";
  window.border = form::BorderStyle::kDialog;
  window.client_width = 538;
  window.client_height = 239;
  window.font = form::FontAttributes{L"MS Sans Serif", -11, DEFAULT_CHARSET};
  window.on_create = "FormCreate";
  window.on_show = "FormShow";
  window.on_destroy = "FormDestroy";

  auto& rows = layout.rows;
  rows.push_back(Row("GroupBox1", Kind::kGroupBox, "", 4, 0, 530, 204).NoTabStop());
  rows.push_back(Row("Image1", Kind::kImage, "GroupBox1", 12, 16, 32, 32));
  rows.push_back(Row("Label3", Kind::kLabel, "GroupBox1", 60, 16, 450, 20).Font(kDefaultFont));
  rows.push_back(Row("Label4", Kind::kLabel, "GroupBox1", 60, 40, 450, 20).Font(kDefaultFont));
  rows.push_back(Row("Label1", Kind::kLabel, "GroupBox1", 12, 75, 450, 20).Font(kDefaultFont));
  rows.push_back(Row("Edit1", Kind::kEdit, "GroupBox1", 12, 103, 320, 21).Font(kDefaultFont));
  rows.push_back(Row("Label2", Kind::kLabel, "GroupBox1", 12, 135, 450, 20).Font(kDefaultFont));
  rows.push_back(Row("ComboBox1", Kind::kComboBox, "GroupBox1", 14, 166, 317, 21).Font(kDefaultFont).ItemHeight(13));
  rows.push_back(Row("BitBtn1", Kind::kButton, "", 355, 210, 85, 25).Text(L"OK").Font(kDefaultFont).OnClick("BitBtn1Click"));
  rows.push_back(Row("BitBtn2", Kind::kButton, "", 445, 210, 85, 25).Text(L"Cancel").Font(kDefaultFont).OnClick("BitBtn2Click"));
  return layout;
}
