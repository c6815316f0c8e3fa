#include "main_window/language_select.h"

#include <string>

#include "system/language_table.h"
#include "system/language_texts.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "store/text_conversions.h"

form::Font LangFont;

namespace {

void SetFontFromRow(form::Font& font, const LanguageFontRow& row) {
  font.SetNameFromCodePage(row.face_name, row.face_code_page);
  font.SetCharset(row.charset);
  font.SetSize(row.size_points);
}

}  // namespace

void SelectLanguage(Tzokcfg_0& window) {
  SelectLanguageFor(window, GetUserDefaultUILanguage());
}

void SelectLanguageFor(Tzokcfg_0& window, uint16_t language_id) {
  const std::wstring code = LanguageCodeFor(language_id);
  if (const LanguageFontRow* row = LanguageFontFor(code)) {
    SetFontFromRow(LangFont, *row);
    ApplyLanguageFont(window, LangFont);
    SetFontFromRow(window.App().HintFont(), *row);
  }
  const LanguagePaths paths = LanguagePathsFor(InstallFolder, code);
  DefaultSchemeFile = paths.default_scheme_file;
  // Created once for the program's life; a second choice (tests) replaces it.
  delete LangIni;
  LangIni = new LanguageIni(WideToAnsi(paths.language_file));
}

void ApplyLanguageFont(Tzokcfg_0& window, const form::Font& font) {
  form::Control* const controls[] = {
      window.Label_Logo1, window.Label_Logo2, window.ComboBox1,   window.GroupBox1,
      window.GroupBox2,   window.GroupBox3,   window.Label1,      window.Label2,
      window.Label3,      window.Label4,      window.Label5,      window.Label6,
      window.Label7,      window.Label8,      window.Label9,      window.Label10,
      window.Label11,     window.Label12,     window.Label13,     window.Label14,
      window.Label15,     window.Label16,     window.Label17,     window.Label18,
      window.Label19,     window.Label20,     window.CheckBox1,   window.BitBtn1,
      window.BitBtn2,     window.BitBtn3,     window.BitBtn4,     window.BitBtn5,
      window.BitBtn6,     window.BitBtn7,     window.BitBtn8,     window.BitBtn9,
      window.TntListBox1, window.TntListBox2, window.TntListBox3, window.TntListBox4,
      window.TntListBox5,
  };
  for (form::Control* control : controls)
    if (control) control->Font().Assign(font);
}
