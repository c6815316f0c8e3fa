#include "dialogs/dialog_frame.h"

#include "form/work_area.h"
#include "main_window/dialog_windows.h"
#include "main_window/window_centring.h"
#include "store/text_conversions.h"
#include "system/language_texts.h"

void LoadCaptionTable(form::Form& dialog, std::initializer_list<CaptionEntry> table) {
  for (const CaptionEntry& entry : table) {
    const std::wstring text = LanguageCaptionText(entry.key);
    if (!entry.target) {
      dialog.SetCaptionA(WideToAnsi(text));
    } else if (entry.target->GetKind() == form::Kind::kLabel) {
      entry.target->SetText(text);
    } else {
      entry.target->SetTextA(WideToAnsi(text));
    }
  }
}

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
