#include "dialogs/dialog_frame.h"

#include "form/work_area.h"
#include "main_window/dialog_windows.h"
#include "main_window/window_centring.h"
#include "store/text_conversions.h"
#include "system/language_texts.h"

int DialogNumber(const std::string& form_name) {
  return static_cast<int>(TextToInt(AnsiToWide(form_name.substr(form_name.rfind('_') + 1))));
}

DialogForm::DialogForm(form::Application& app, const form::Layout& layout, const form::Handlers& handlers,
                       form::Form*& reference)
    : form::Form(app, layout, handlers), reference_(reference) {}

DialogForm::~DialogForm() {
  if (reference_ == this) reference_ = nullptr;
}

void DialogForm::LoadCaptionsOf(std::initializer_list<form::Control*> controls) {
  SetCaptionA(WideToAnsi(LanguageCaptionText(Name() + "_caption")));
  const std::string prefix = "zui" + std::to_string(DialogNumber(Name())) + "_";
  for (form::Control* control : controls) {
    const std::wstring text = LanguageCaptionText(prefix + control->Name() + "_caption");
    if (control->GetKind() == form::Kind::kLabel) {
      control->SetText(text);
    } else {
      control->SetTextA(WideToAnsi(text));
    }
  }
}

form::FormRow EditingDialogWindow(const std::string& name, const std::wstring& caption, int client_width,
                                  int client_height) {
  const std::wstring class_name = L"T" + AnsiToWide(name);
  return form::Window(name, class_name, caption, form::BorderStyle::kDialog, client_width, client_height)
      .Font(form::FontAttributes{L"MS Sans Serif", -11, DEFAULT_CHARSET})
      .OnCreate("FormCreate")
      .OnShow("FormShow")
      .OnDestroy("FormDestroy");
}

// The editing dialogs' fonts stand in DialogFonts in the order of their numbers.
EditingDialog::EditingDialog(form::Application& app, const form::Layout& layout, const form::Handlers& handlers,
                             form::Form*& reference)
    : DialogForm(app, layout, handlers, reference), DialogFont(DialogNumber(layout.form.name) - 1) {}

// The window goes first: its destroy handler frees the font, a member of this class.
EditingDialog::~EditingDialog() { DestroyForm(); }

void EditingDialog::FormDestroy(form::Component&) { DialogFont.Free(); }

void DialogFontOwner::Create() {
  font_ = std::make_unique<form::Font>(L"Arial", -11);
  font_->SetSize(9);
  if (slot_ >= 0 && slot_ < kEditingDialogCount) DialogFonts[slot_] = font_.get();
}

void DialogFontOwner::Free() {
  if (slot_ >= 0 && slot_ < kEditingDialogCount && DialogFonts[slot_] == font_.get()) DialogFonts[slot_] = nullptr;
  font_.reset();
}

void DialogFontOwner::ApplyTo(std::initializer_list<form::Control*> controls) const {
  if (!font_) return;
  for (form::Control* control : controls) control->Font().Assign(*font_);
}

void CentreOnWorkArea(form::Form& dialog) {
  const POINT origin = CentredOrigin(form::WorkArea(), dialog.Width(), dialog.Height());
  dialog.SetBounds(origin.x, origin.y, dialog.Width(), dialog.Height());
}

POINT HalvedCentredOrigin(const RECT& work_area, int width, int height) {
  POINT origin;
  origin.x = work_area.right / 2 - width / 2;
  origin.y = work_area.bottom / 2 - height / 2;
  return origin;
}

void CentreOnWorkAreaByHalves(form::Form& dialog) {
  const POINT origin = HalvedCentredOrigin(form::WorkArea(), dialog.Width(), dialog.Height());
  dialog.SetBounds(origin.x, origin.y, dialog.Width(), dialog.Height());
}
