// What the four dialogs share: the form built with its class's handler table, its program-wide
// reference, its captions from the language file, the editing dialogs' own font, and their
// placement on the desktop work area.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "form/form.h"
#include "form/handler_table.h"

// The own font of an editing dialog: created as "Arial" 9 and announced in DialogFonts[slot]
// while it exists, so that each showing of the main window can give it the language font.
class DialogFontOwner {
 public:
  explicit DialogFontOwner(int slot) : slot_(slot) {}
  ~DialogFontOwner() { Free(); }
  DialogFontOwner(const DialogFontOwner&) = delete;
  DialogFontOwner& operator=(const DialogFontOwner&) = delete;

  void Create();
  void Free();
  form::Font* get() const { return font_.get(); }
  // Each control takes the font's name, size, character set, colour and style.
  void ApplyTo(std::initializer_list<form::Control*> controls) const;

 private:
  int slot_;
  std::unique_ptr<form::Font> font_;
};

// The number n of dialog "zokcfg_<n>", from its form name.
int DialogNumber(const std::string& form_name);

// The base of the four dialogs (form "zokcfg_<n>"): built from its layout with its class's bound
// handler table; `reference` (zokcfg_<n>) is cleared when the dialog goes.
class DialogForm : public form::Form {
 public:
  ~DialogForm() override;

 protected:
  DialogForm(form::Application& app, const form::Layout& layout, const form::Handlers& handlers,
             form::Form*& reference);
  // The window's caption ("zokcfg_<n>_caption"), then each control's ("zui<n>_" + its name +
  // "_caption"), in that order, from section "objects" of the language file (a missing text
  // shows its key): labels take it as wide text, the window and the other controls as text of
  // the system code page.
  void LoadCaptionsOf(std::initializer_list<form::Control*> controls);

 private:
  form::Form*& reference_;
};

// The window row of an editing dialog's layout: a dialog frame, the font "MS Sans Serif" 8, and
// the create, show and destroy handlers.
form::FormRow EditingDialogWindow(const std::string& name, const std::wstring& caption, int client_width,
                                  int client_height);

// The base of the three editing dialogs: their own font, created by their create handler and
// freed by the destroy handler they share.
class EditingDialog : public DialogForm {
 public:
  ~EditingDialog() override;
  void FormDestroy(form::Component& sender);

  DialogFontOwner DialogFont;

 protected:
  EditingDialog(form::Application& app, const form::Layout& layout, const form::Handlers& handlers,
                form::Form*& reference);
};

// The editing dialogs' placement: left (work-area right - width) / 2, top (work-area bottom -
// height) / 2.
void CentreOnWorkArea(form::Form& dialog);

// The About dialog's placement: each term halved on its own, right / 2 - width / 2 and
// bottom / 2 - height / 2, each halving truncating toward zero.
POINT HalvedCentredOrigin(const RECT& work_area, int width, int height);
void CentreOnWorkAreaByHalves(form::Form& dialog);
