#include "dialogs/about_dialog.h"

#include "main_window/dialog_windows.h"
#include "store/program_texts.h"
#include "store/text_conversions.h"

const form::HandlerTable<Tzokcfg_4>& Tzokcfg_4::Handlers() {
  static const form::HandlerTable<Tzokcfg_4> table = {
      FORM_HANDLER(Tzokcfg_4, FormCreate),
      FORM_HANDLER(Tzokcfg_4, FormShow),
      FORM_HANDLER(Tzokcfg_4, BitBtn1Click),
  };
  return table;
}

Tzokcfg_4::Tzokcfg_4(form::Application& app) : DialogForm(app, AboutDialogLayout(), Handlers().BindTo(this), zokcfg_4) {
  FORM_BIND(Image1);
  FORM_BIND(BitBtn1);
}

void Tzokcfg_4::FormCreate(form::Component&) {
  LoadCaptions();
  WriteVersionOnPicture();
}

void Tzokcfg_4::LoadCaptions() {
  LoadCaptionsOf({BitBtn1});
  const RECT picture{Image1->Left(), Image1->Top(), Image1->Left() + Image1->Width(), Image1->Top() + Image1->Height()};
  const AboutLayout layout =
      ComputeAboutLayout(picture, SIZE{BitBtn1->Width(), BitBtn1->Height()}, Width() - ClientWidth());
  SetWidth(layout.window_width);
  BitBtn1->SetTop(layout.button_top);
  SetClientHeight(layout.client_height);
  BitBtn1->SetLeft(layout.button_left);
}

// The decoded picture is a plain bitmap; the version is written on it once, in white without a
// background, in the canvas's own font, and cut at the picture's edge.
void Tzokcfg_4::WriteVersionOnPicture() {
  if (VersionText.empty() || !Image1->Bitmap()) return;
  form::Canvas& canvas = Image1->GetCanvas();
  canvas.SetTransparentText(true);
  canvas.SetTextColor(RGB(255, 255, 255));
  canvas.TextOutA(kVersionTextLeft, kVersionTextTop, WideToAnsi(VersionText));
}

void Tzokcfg_4::FormShow(form::Component&) { CentreOnWorkAreaByHalves(*this); }

void Tzokcfg_4::BitBtn1Click(form::Component&) { Close(); }
