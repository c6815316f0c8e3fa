// The Create New Theme dialog (class Tzokcfg_1): saves the keys being edited under a name, as a
// new user scheme after the last one or over the user scheme of that name. The factory scheme
// is never overwritten.
#pragma once
#include <string>

#include "dialogs/dialog_frame.h"
#include "form/form.h"

class Tzokcfg_0;

class Tzokcfg_1 : public EditingDialog {
 public:
  explicit Tzokcfg_1(form::Application& app);

  void LoadCaptions();
  void ApplyDialogFont();

  form::GroupBox* GroupBox1 = nullptr;
  form::Label* Label1 = nullptr;
  form::Edit* Edit1 = nullptr;
  form::Edit* Edit1_999 = nullptr;
  form::Button* BitBtn1 = nullptr;
  form::Button* BitBtn2 = nullptr;

 private:
  static const form::HandlerTable<Tzokcfg_1>& Handlers();
  void FormCreate(form::Component& sender);
  void FormShow(form::Component& sender);
  void Edit1_999Change(form::Component& sender);
  void BitBtn1Click(form::Component& sender);
  void BitBtn2Click(form::Component& sender);

  void SaveAsNewScheme(Tzokcfg_0& window, const std::wstring& name);
  void OverwriteScheme(Tzokcfg_0& window, int position);
};

form::Layout CreateThemeLayout();
