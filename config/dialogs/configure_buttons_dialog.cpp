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

const HandlerTable<Tzokcfg_2>& Tzokcfg_2::Handlers() {
  static const HandlerTable<Tzokcfg_2> table = {
      {
          {"FormCreate", &Tzokcfg_2::FormCreate},
          {"FormShow", &Tzokcfg_2::FormShow},
          {"FormDestroy", &Tzokcfg_2::FormDestroy},
          {"Edit2Change", &Tzokcfg_2::Edit2Change},
          {"BitBtn1Click", &Tzokcfg_2::BitBtn1Click},
          {"BitBtn2Click", &Tzokcfg_2::BitBtn2Click},
          {"BitBtn3Click", &Tzokcfg_2::BitBtn3Click},
      },
      {
          {"Edit2KeyDown", &Tzokcfg_2::Edit2KeyDown},
      },
  };
  return table;
}

Tzokcfg_2::Tzokcfg_2(form::Application& app)
    : form::Form(app, ConfigureButtonsLayout(), BindHandlers(this, Handlers())) {
  GroupBox1 = &Get<form::GroupBox>("GroupBox1");
  Image1 = &Get<form::Image>("Image1");
  Label3 = &Get<form::Label>("Label3");
  Label4 = &Get<form::Label>("Label4");
  Label1 = &Get<form::Label>("Label1");
  Edit1 = &Get<form::Edit>("Edit1");
  Label2 = &Get<form::Label>("Label2");
  Edit2 = &Get<form::Edit>("Edit2");
  BitBtn3 = &Get<form::Button>("BitBtn3");
  BitBtn1 = &Get<form::Button>("BitBtn1");
  BitBtn2 = &Get<form::Button>("BitBtn2");
}

Tzokcfg_2::~Tzokcfg_2() {
  DestroyForm();
  if (zokcfg_2 == this) zokcfg_2 = nullptr;
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

void Tzokcfg_2::FormDestroy(form::Component&) { DialogFont.Free(); }

void Tzokcfg_2::StartBrowsingInProgramFiles() {
  if (ProgramFilesOk != 0) OpenDialog1.initial_dir = AnsiToWide(ProgramFilesPath);
}

void Tzokcfg_2::LoadCaptions() {
  LoadCaptionTable(*this, {
                              {"zokcfg_2_caption", nullptr},
                              {"zui2_Label3_caption", Label3},
                              {"zui2_Label4_caption", Label4},
                              {"zui2_Label1_caption", Label1},
                              {"zui2_Label2_caption", Label2},
                              {"zui2_BitBtn3_caption", BitBtn3},
                              {"zui2_BitBtn1_caption", BitBtn1},
                              {"zui2_BitBtn2_caption", BitBtn2},
                          });
}

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
