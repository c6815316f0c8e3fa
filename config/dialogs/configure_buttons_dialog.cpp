#include "dialogs/configure_buttons_dialog.h"

#include "dialogs/key_edit.h"
#include "main_window/dialog_windows.h"
#include "main_window/file_title.h"
#include "main_window/main_window.h"
#include "main_window/scheme_rows.h"
#include "main_window/selected_rows.h"
#include "store/text_conversions.h"

std::string ProgramFilesPath;
int32_t ProgramFilesOk = 0;
bool LinkEdited = false;
bool IgnoreLinkChange = false;

namespace {

constexpr DWORD kProgramFilesRoom = 1024;
const wchar_t kLinkFilter[] = L"(*.EXE)|*.EXE|(*.HTM)|*.HTM|(*.HTML)|*.HTML|(*.URL)|*.URL|(*.*)|*.*";

}  // namespace

const form::HandlerTable<Tzokcfg_2>& Tzokcfg_2::Handlers() {
  static const form::HandlerTable<Tzokcfg_2> table = {
      FORM_HANDLER(Tzokcfg_2, FormCreate),   FORM_HANDLER(Tzokcfg_2, FormShow),
      FORM_HANDLER(Tzokcfg_2, FormDestroy),  FORM_HANDLER(Tzokcfg_2, Edit2Change),
      FORM_HANDLER(Tzokcfg_2, Edit2KeyDown), FORM_HANDLER(Tzokcfg_2, BitBtn1Click),
      FORM_HANDLER(Tzokcfg_2, BitBtn2Click), FORM_HANDLER(Tzokcfg_2, BitBtn3Click),
  };
  return table;
}

Tzokcfg_2::Tzokcfg_2(form::Application& app)
    : KeyEditDialog(app, ConfigureButtonsLayout(), Handlers().BindTo(this), zokcfg_2) {
  FORM_BIND(Edit2);
  FORM_BIND(BitBtn3);
}

void Tzokcfg_2::FormCreate(form::Component&) {
  IgnoreLinkChange = true;
  OpenDialog1.filter = kLinkFilter;
  OpenDialog1.filter_index = 1;
  // A chosen shortcut file is the link itself, not the file it points to.
  OpenDialog1.options |= OFN_NODEREFERENCELINKS;
  char path[kProgramFilesRoom] = {};
  ProgramFilesOk = static_cast<int32_t>(ExpandEnvironmentStringsA("%PROGRAMFILES%", path, kProgramFilesRoom));
  path[kProgramFilesRoom - 1] = '\0';
  ProgramFilesPath = ProgramFilesOk != 0 ? path : "";
  StartBrowsingInProgramFiles();
  DialogFont.Create();
  LoadCaptions();
}

void Tzokcfg_2::StartBrowsingInProgramFiles() {
  if (ProgramFilesOk != 0) OpenDialog1.initial_dir = AnsiToWide(ProgramFilesPath);
}

void Tzokcfg_2::LoadCaptions() { LoadCaptionsOf({Label3, Label4, Label1, Label2, BitBtn3, BitBtn1, BitBtn2}); }

void Tzokcfg_2::ApplyDialogFont() { DialogFont.ApplyTo({Label1, Label2, Label3, Label4, Edit1, Edit2}); }

// The fields' refill never counts as a link edit, however the last showing ended (the title
// bar's close runs neither OK nor Cancel).
void Tzokcfg_2::FormShow(form::Component&) {
  LinkEdited = false;
  CentreOnWorkArea(*this);
  Edit1->SetText(EditedKeyCaption());
  IgnoreLinkChange = true;
  Edit2->SetText(EditedKeyLink());
  IgnoreLinkChange = false;
  ApplyDialogFont();
}

// Any key counts, also one that changes no text (an arrow, Shift).
void Tzokcfg_2::Edit2KeyDown(form::Component&, WORD&, unsigned) { LinkEdited = true; }

void Tzokcfg_2::Edit2Change(form::Component&) {
  if (IgnoreLinkChange) {
    IgnoreLinkChange = false;
    return;
  }
  LinkEdited = true;
  IgnoreLinkChange = true;
}

void Tzokcfg_2::BitBtn3Click(form::Component&) {
  StartBrowsingInProgramFiles();
  if (!OpenDialog1.Execute(this)) return;
  Edit1->SetText(ExtractFileTitle(OpenDialog1.file_name, false));
  Edit2->SetText(OpenDialog1.file_name);
  LinkEdited = true;
}

void Tzokcfg_2::BitBtn1Click(form::Component&) {
  if (RefuseBarIn(*Edit1) || RefuseBarIn(*Edit2)) return;
  hotkey_data* key = EditedKeyRecord();
  if (zokcfg_0 && key) {
    const int row = RowOfButton(EditButton);
    const std::wstring caption = Edit1->Text();
    const std::wstring link = Edit2->Text();
    if (LinkEdited) {
      SetRow(*zokcfg_0, row, FunctionLink, 0, caption, link, link);
      SetButtonRecord(*key, FunctionLink, 0, caption, link, link);
    } else {
      // Function and virtual key stay; the link field's text still goes to assign and linkto.
      SetRow(*zokcfg_0, row, key->function, key->vkey, caption, link, link);
      SetButtonRecord(*key, key->function, key->vkey, caption, link, link);
    }
    FinishKeyEdit(*zokcfg_0, row);
  }
  IgnoreLinkChange = true;
  Close();
}

void Tzokcfg_2::BitBtn2Click(form::Component&) {
  Edit1->SetText(L"");
  Edit2->SetText(L"");
  StartBrowsingInProgramFiles();
  OpenDialog1.file_name.clear();
  Close();
  IgnoreLinkChange = true;
}
