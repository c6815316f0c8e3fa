#include "main_window/scheme_list.h"

#include <vector>

#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "store/scheme_file.h"

namespace {

void EnableSchemeButtons(Tzokcfg_0& window, bool enabled) {
  window.BitBtn2->SetEnabled(enabled);
  window.BitBtn3->SetEnabled(enabled);
  window.BitBtn4->SetEnabled(enabled);
  window.BitBtn5->SetEnabled(enabled);
}

}  // namespace

int FillSchemeList(Tzokcfg_0& window, const std::wstring& section) {
  try {
    form::ComboBox& list = *window.ComboBox1;
    list.Clear();
    list.SetText(L"");
    const std::vector<std::wstring> names = ReadSchemeNames(UserSchemeFile, IniData.scheme);
    for (const std::wstring& name : names) list.Add(name);
    const SchemeListChoice choice = ChooseSchemeListSelection(section, names.size());
    list.SetItemIndex(choice.selected);
    EnableSchemeButtons(window, choice.user_scheme);
    window.RefreshButtonLabels();
  } catch (const std::exception&) {
    return -1;
  }
  return 0;
}

int SaveCurrentSchemeIndex(Tzokcfg_0& window, const std::wstring& file) {
  return SaveSchemeIndexAt(file, window.ComboBox1->ItemIndex(), IniData);
}

int LoadScheme(Tzokcfg_0& window, const std::wstring& file, const std::wstring& section,
               ini_data& record) {
  if (ReadSchemeIntoRecords(file, section, record, CurScheme) != 0) return -1;
  FillSchemeList(window, section);
  record.current = window.ComboBox1->ItemIndex();
  CopySchemeRecord(record.schemedata, CurScheme);
  return 0;
}
