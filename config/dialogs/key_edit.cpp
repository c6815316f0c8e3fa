#include "dialogs/key_edit.h"

#include "form/dialogs.h"
#include "main_window/scheme_rows.h"
#include "main_window/selected_rows.h"
#include "system/language_texts.h"

namespace {

const hotkey_data* WorkingSetKey() {
  if (EditButton < 0 || EditButton >= kKeyRecords) return nullptr;
  return &CurScheme.keys[EditButton];
}

std::wstring ShownText(const std::wstring& text, const wchar_t* sentinel) {
  return text == sentinel ? std::wstring() : text;
}

}  // namespace

hotkey_data* EditedKeyRecord() {
  if (EditButton < 0 || EditButton >= kKeyRecords) return nullptr;
  return &IniData.schemedata.keys[EditButton];
}

std::wstring EditedKeyCaption() {
  const hotkey_data* key = WorkingSetKey();
  return key ? ShownText(key->caption, kCaptionSentinel) : std::wstring();
}

std::wstring EditedKeyLink() {
  const hotkey_data* key = WorkingSetKey();
  return key ? ShownText(key->linkto, kLinktoSentinel) : std::wstring();
}

bool RefuseBarIn(form::Edit& field) {
  if (field.Text().find(L'|') == std::wstring::npos) return false;
  form::MessageBoxWide(nullptr, LanguageMessageText(kMsgBarInTextText), nullptr, MB_OK);
  field.SetFocus();
  return true;
}

void FinishKeyEdit(Tzokcfg_0& window, int row) {
  SchemeModified = true;
  SelectRow(window, row);
  CopySchemeRecord(CurScheme, IniData.schemedata);
}

KeyEditDialog::KeyEditDialog(form::Application& app, const form::Layout& layout, const form::Handlers& handlers,
                             form::Form*& reference)
    : EditingDialog(app, layout, handlers, reference) {
  FORM_BIND(GroupBox1);
  FORM_BIND(Image1);
  FORM_BIND(Label3);
  FORM_BIND(Label4);
  FORM_BIND(Label1);
  FORM_BIND(Edit1);
  FORM_BIND(Label2);
  FORM_BIND(BitBtn1);
  FORM_BIND(BitBtn2);
}

const form::FontAttributes kKeyEditFont{L"Default", -11, -1};

form::Layout KeyEditLayout(const KeyEditWindow& window) {
  using form::Kind;
  using form::Row;
  form::Layout layout;
  layout.form = EditingDialogWindow(window.name, window.caption, 538, window.client_height);

  auto& rows = layout.rows;
  rows.push_back(Row("GroupBox1", Kind::kGroupBox, "", 4, 0, 530, window.group_height).NoTabStop());
  rows.push_back(Row("Image1", Kind::kImage, "GroupBox1", 12, 16, 32, 32));
  rows.push_back(Row("Label3", Kind::kLabel, "GroupBox1", 60, 16, 450, 20).Font(kKeyEditFont));
  rows.push_back(Row("Label4", Kind::kLabel, "GroupBox1", 60, 40, 450, 20).Font(kKeyEditFont));
  rows.push_back(Row("Label1", Kind::kLabel, "GroupBox1", 12, 75, 450, 20).Font(kKeyEditFont));
  rows.push_back(Row("Edit1", Kind::kEdit, "GroupBox1", 12, 103, 320, 21).Font(kKeyEditFont).TabOrder(0));
  rows.push_back(Row("Label2", Kind::kLabel, "GroupBox1", 12, 135, 450, 20).Font(kKeyEditFont));
  return layout;
}

void AddOkAndCancel(form::Layout& layout, int top) {
  using form::Kind;
  using form::Row;
  layout.rows.push_back(Row("BitBtn1", Kind::kButton, "", 355, top, 85, 25).Text(L"OK").Font(kKeyEditFont).OnClick("BitBtn1Click"));
  layout.rows.push_back(
      Row("BitBtn2", Kind::kButton, "", 445, top, 85, 25).Text(L"Cancel").Font(kKeyEditFont).OnClick("BitBtn2Click"));
}
