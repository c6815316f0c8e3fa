// The Configure Buttons dialog (class Tzokcfg_2): gives the key EditButton of the selected
// scheme a caption and a link (a program, document, web page or URL file), typed or chosen with
// the open-file dialog. OK writes the key record, the key's row and the working set.
#pragma once
#include <cstdint>
#include <string>

#include "dialogs/key_edit.h"
#include "form/dialogs.h"
#include "form/form.h"

// "%PROGRAMFILES%" expanded at creation, the open-file dialog's first folder; ProgramFilesOk is
// the expansion's result, 0 when it failed (then no first folder is set).
extern std::string ProgramFilesPath;
extern int32_t ProgramFilesOk;
// The link field counts as edited since the dialog was shown: OK then makes the key a link.
extern bool LinkEdited;
// The next change of the link field's text is not counted as an edit.
extern bool IgnoreLinkChange;

class Tzokcfg_2 : public KeyEditDialog {
 public:
  explicit Tzokcfg_2(form::Application& app);

  void LoadCaptions();
  void ApplyDialogFont();

  // Beside the components of KeyEditDialog.
  form::Edit* Edit2 = nullptr;
  form::Button* BitBtn3 = nullptr;
  form::OpenDialog OpenDialog1;

 private:
  static const form::HandlerTable<Tzokcfg_2>& Handlers();
  void FormCreate(form::Component& sender);
  void FormShow(form::Component& sender);
  void Edit2KeyDown(form::Component& sender, WORD& key, unsigned shift);
  void Edit2Change(form::Component& sender);
  void BitBtn1Click(form::Component& sender);
  void BitBtn2Click(form::Component& sender);
  void BitBtn3Click(form::Component& sender);

  void StartBrowsingInProgramFiles();
};

form::Layout ConfigureButtonsLayout();
