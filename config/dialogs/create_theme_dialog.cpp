#include "dialogs/create_theme_dialog.h"

#include "form/dialogs.h"
#include "main_window/dialog_windows.h"
#include "main_window/main_window.h"
#include "main_window/scheme_list.h"
#include "main_window/scheme_rows.h"
#include "store/profile_section.h"
#include "store/program_texts.h"
#include "store/scheme_file.h"
#include "store/text_conversions.h"
#include "system/language_texts.h"

namespace {

// A code-page box owned by the dialog, text and caption from numbered messages.
int AskWithMessages(form::Form& dialog, int32_t text, int32_t caption, UINT buttons) {
  return form::MessageBoxCodePage(&dialog, WideToAnsi(LanguageMessageText(text)),
                                  WideToAnsi(LanguageMessageText(caption)), buttons);
}

}  // namespace

const form::HandlerTable<Tzokcfg_1>& Tzokcfg_1::Handlers() {
  static const form::HandlerTable<Tzokcfg_1> table = {
      FORM_HANDLER(Tzokcfg_1, FormCreate),      FORM_HANDLER(Tzokcfg_1, FormShow),
      FORM_HANDLER(Tzokcfg_1, FormDestroy),     FORM_HANDLER(Tzokcfg_1, Edit1_999Change),
      FORM_HANDLER(Tzokcfg_1, BitBtn1Click),    FORM_HANDLER(Tzokcfg_1, BitBtn2Click),
  };
  return table;
}

Tzokcfg_1::Tzokcfg_1(form::Application& app)
    : EditingDialog(app, CreateThemeLayout(), Handlers().BindTo(this), zokcfg_1) {
  FORM_BIND(GroupBox1);
  FORM_BIND(Label1);
  FORM_BIND(Edit1);
  FORM_BIND(Edit1_999);
  FORM_BIND(BitBtn1);
  FORM_BIND(BitBtn2);
}

void Tzokcfg_1::FormCreate(form::Component&) {
  DialogFont.Create();
  LoadCaptions();
}

void Tzokcfg_1::LoadCaptions() { LoadCaptionsOf({Label1, BitBtn1, BitBtn2}); }

void Tzokcfg_1::ApplyDialogFont() { DialogFont.ApplyTo({Label1, Edit1}); }

void Tzokcfg_1::FormShow(form::Component&) {
  CentreOnWorkArea(*this);
  Edit1->SetText(L"");
  ApplyDialogFont();
}

// Any name counts, spaces only too; only an empty one keeps OK disabled.
void Tzokcfg_1::Edit1_999Change(form::Component&) { BitBtn1->SetEnabled(!Edit1->Text().empty()); }

void Tzokcfg_1::BitBtn2Click(form::Component&) {
  Edit1->SetText(L"");
  Close();
}

void Tzokcfg_1::BitBtn1Click(form::Component&) {
  if (!zokcfg_0) return;
  Tzokcfg_0& window = *zokcfg_0;
  const std::wstring name = Edit1->Text();
  const int position = window.ComboBox1->FindExact(name);
  if (position < 0) {
    SaveAsNewScheme(window, name);
  } else {
    if (AskWithMessages(*this, kMsgOverwriteText, kMsgOverwriteCaption, MB_OKCANCEL) != IDOK) {
      Edit1->SetFocus();
      return;
    }
    if (position == 0) {
      AskWithMessages(*this, kMsgFactorySchemeText, kMsgSchemeCaption, MB_OK);
      window.ComboBox1->SetFocus();
    } else {
      OverwriteScheme(window, position);
    }
  }
  window.UpdateEnableStates();
  Close();
}

// The new section is written at once: its name, then "global" (still with the old "scheme" and
// "current") and its keys, then the new "scheme"; the list and the row table follow the file.
// The new scheme comes after the last one the list shows: "scheme" + 1 for a well-formed file,
// the section after the highest one the file holds when a damaged "scheme" lies beyond it.
void Tzokcfg_1::SaveAsNewScheme(Tzokcfg_0& window, const std::wstring& name) {
  const int32_t last =
      IniData.scheme < 0 ? IniData.scheme : LastListedScheme(UserSchemeFile, IniData.scheme);
  if (last == INT32_MAX) return;  // no section number after it
  const int32_t index = last + 1;
  const std::wstring section = IntToText(index);
  ProfileWriter writer(UserSchemeFile);
  IniData.schemedata.schemename = name;
  writer.Write(section, L"schemename", name);
  WriteSchemeSection(writer, section, IniData);
  IniData.scheme = index;
  IniData.current = IniData.scheme;
  writer.Write(L"global", L"scheme", IntToText(IniData.scheme));
  FillSchemeList(window, section);
  SchemeModified = false;
  AppendSchemeRows(window, IniData.scheme);
}

// Only the rows change; the main window's OK writes them.
void Tzokcfg_1::OverwriteScheme(Tzokcfg_0& window, int position) {
  WriteSnapshotRows(window, position);
  FillSchemeList(window, IntToText(IniData.current));
  SchemeModified = false;
}
