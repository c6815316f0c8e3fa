#include "main_window/scheme_commands.h"

#include <windows.h>

#include <string>

#include "store/contracts.h"
#include "store/ini_file.h"
#include "system/language_texts.h"
#include "main_window/main_window.h"
#include "store/profile_text.h"
#include "store/program_texts.h"
#include "store/scheme_file.h"
#include "main_window/scheme_list.h"
#include "store/scheme_records.h"
#include "main_window/scheme_rows.h"
#include "store/text_conversions.h"

using namespace contracts;

namespace {

bool UserConfirmsDelete(Tzokcfg_0& window) {
  const std::string text = WideToAnsi(LanguageMessageText(kMsgDeleteText));
  const std::string caption = WideToAnsi(LanguageMessageText(kMsgSchemeCaption));
  return MessageBoxA(window.Handle(), text.c_str(), caption.c_str(), MB_OKCANCEL) == IDOK;
}

void MoveText(const INICTL& ini, const std::wstring& from, const std::wstring& to,
              const std::wstring& key, const wchar_t* sentinel) {
  ini.WriteString(to, key, ini.ReadString(from, key, sentinel));
}

void MoveNumber(const INICTL& ini, const std::wstring& from, const std::wstring& to,
                const std::wstring& key) {
  ini.WriteInteger(to, key, ini.ReadInteger(from, key, 0));
}

// The stored active scheme after scheme `deleted` is gone; true when it was the deleted one.
bool CorrectStoredActiveScheme(int32_t deleted) {
  const int32_t active = ReadCurrentSchemeIndex(UserSchemeFile);
  if (active > deleted)
    WriteProfileText(kGlobalSection, kCurrentKey, IntToText(active - 1), UserSchemeFile);
  else if (active == deleted)
    WriteProfileText(kGlobalSection, kCurrentKey, IntToText(deleted - 1), UserSchemeFile);
  return active == deleted;
}

void SelectAndLoadScheme(Tzokcfg_0& window, int32_t scheme) {
  IniData.current = scheme;
  window.ComboBox1->SetItemIndex(scheme);
  LoadScheme(window, UserSchemeFile, IntToText(scheme), IniData);
  window.RefreshButtonIcons();
}

// The apply of OK, without ending the program.
void ApplyAfterDelete(Tzokcfg_0& window) {
  ApplyFromDelete = true;
  window.BitBtn6->Click();
  ApplyFromDelete = false;
}

}  // namespace

void Tzokcfg_0::ComboBox1_999Click(form::Component&) { SwitchToSelectedScheme(*this); }
void Tzokcfg_0::BitBtn2Click(form::Component&) { DeleteSelectedScheme(*this); }

void MoveSchemeSection(const INICTL& ini, int32_t source, int32_t target, int keys) {
  const std::wstring from = IntToText(source);
  const std::wstring to = IntToText(target);
  MoveText(ini, from, to, kSchemenameKey, kSchemenameSentinel);
  for (int k = 0; k < keys; ++k) {
    MoveNumber(ini, from, to, KeyName(kFunctionKey, k));
    MoveText(ini, from, to, KeyName(kCaptionKey, k), kCaptionSentinel);
    MoveText(ini, from, to, KeyName(kAssignKey, k), kAssignSentinel);
    MoveText(ini, from, to, KeyName(kLinktoKey, k), kLinktoSentinel);
    MoveNumber(ini, from, to, KeyName(kVkeyKey, k));
  }
}

void SwitchToSelectedScheme(Tzokcfg_0& window) {
  const int32_t selected = window.ComboBox1->ItemIndex();
  LoadSchemeFromRows(window, selected);
  SchemeModified = false;
  IniData.current = selected;
  window.UpdateEnableStates();
}

void DeleteSelectedScheme(Tzokcfg_0& window) {
  const INICTL ini(UserSchemeFile);
  const int32_t deleted = IniData.current;
  if (deleted < 1 || deleted > IniData.scheme) return;
  if (!UserConfirmsDelete(window)) {
    ApplyFromDelete = false;
    window.UpdateEnableStates();
    return;
  }
  // A damaged "scheme" never makes the shift run past the sections the file holds.
  const int32_t last = SchemeSectionsInFile(UserSchemeFile, IniData.scheme) - 1;
  const int keys = KeyRecordCount(IniData.numbutton);
  for (int32_t i = deleted; i < last; ++i) MoveSchemeSection(ini, i + 1, i, keys);
  ini.EraseSection(IntToText(IniData.scheme));

  const int rows_per_scheme = RowsPerScheme();
  RemoveRows(window, deleted * rows_per_scheme, rows_per_scheme);

  IniData.scheme -= 1;
  WriteProfileText(kGlobalSection, kSchemeKey, IntToText(IniData.scheme), UserSchemeFile);
  const bool deleted_active = CorrectStoredActiveScheme(deleted);
  SelectAndLoadScheme(window, deleted - 1);
  if (deleted_active) ApplyAfterDelete(window);
  window.UpdateEnableStates();
}
