#include "main_window/scheme_commands.h"

#include <windows.h>

#include <string>

#include "store/contracts.h"
#include "store/ini_file.h"
#include "store/profile_section.h"
#include "system/language_texts.h"
#include "main_window/main_window.h"
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

void MoveText(const INICTL& ini, ProfileWriter& writer, const std::wstring& from,
              const std::wstring& to, const std::wstring& key, const wchar_t* sentinel) {
  writer.Write(to, key, ini.ReadString(from, key, sentinel));
}

void MoveNumber(const INICTL& ini, ProfileWriter& writer, const std::wstring& from,
                const std::wstring& to, const std::wstring& key) {
  writer.Write(to, key, IntToText(ini.ReadInteger(from, key, 0)));
}

// Rows of schemes the list no longer shows (missing sections below the erased last one) go,
// so that rows and list keep matching.
void RemoveRowsPastTheList(Tzokcfg_0& window, int rows_per_scheme) {
  const int64_t listed = LastListedScheme(UserSchemeFile, IniData.scheme);
  const int64_t kept = (listed + 1) * rows_per_scheme;
  if (kept < RowCount(window)) RemoveRows(window, static_cast<int>(kept), RowCount(window));
}

// The stored active scheme after scheme `deleted` is gone; true when it was the deleted one.
bool CorrectStoredActiveScheme(ProfileWriter& writer, int32_t deleted) {
  const int32_t active = ReadCurrentSchemeIndex(UserSchemeFile);
  if (active > deleted)
    writer.Write(kGlobalSection, kCurrentKey, IntToText(active - 1));
  else if (active == deleted)
    writer.Write(kGlobalSection, kCurrentKey, IntToText(deleted - 1));
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

void MoveSchemeSection(const INICTL& ini, ProfileWriter& writer, int32_t source, int32_t target,
                       int keys) {
  const std::wstring from = IntToText(source);
  const std::wstring to = IntToText(target);
  MoveText(ini, writer, from, to, kSchemenameKey, kSchemenameSentinel);
  for (int k = 0; k < keys; ++k) {
    MoveNumber(ini, writer, from, to, KeyName(kFunctionKey, k));
    MoveText(ini, writer, from, to, KeyName(kCaptionKey, k), kCaptionSentinel);
    MoveText(ini, writer, from, to, KeyName(kAssignKey, k), kAssignSentinel);
    MoveText(ini, writer, from, to, KeyName(kLinktoKey, k), kLinktoSentinel);
    MoveNumber(ini, writer, from, to, KeyName(kVkeyKey, k));
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
  // The last scheme listed: a damaged "scheme" never makes the shift run past the sections the
  // file holds, and the section erased is the last one the list shows.
  const int32_t last = LastListedScheme(UserSchemeFile, IniData.scheme);
  if (deleted > last) return;
  if (!UserConfirmsDelete(window)) {
    ApplyFromDelete = false;
    window.UpdateEnableStates();
    return;
  }
  const int keys = KeyRecordCount(IniData.numbutton);
  bool deleted_active = false;
  {
    ProfileWriter writer(UserSchemeFile);
    for (int32_t i = deleted; i < last; ++i) MoveSchemeSection(ini, writer, i + 1, i, keys);
    ini.EraseSection(IntToText(last));

    const int rows_per_scheme = RowsPerScheme();
    RemoveRows(window, deleted * rows_per_scheme, rows_per_scheme);

    IniData.scheme -= 1;
    writer.Write(kGlobalSection, kSchemeKey, IntToText(IniData.scheme));
    deleted_active = CorrectStoredActiveScheme(writer, deleted);
    RemoveRowsPastTheList(window, rows_per_scheme);
  }
  SelectAndLoadScheme(window, deleted - 1);
  if (deleted_active) ApplyAfterDelete(window);
  window.UpdateEnableStates();
}
