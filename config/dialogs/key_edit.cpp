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
