// The About dialog (class Tzokcfg_4): the About picture with the installed version written on
// it, and OK. It keeps the fonts of its layout in every language.
#pragma once
#include "dialogs/dialog_frame.h"
#include "form/form.h"

// Where LoadCaptions puts the window's width, the button and the client height, from the
// picture's box, the button's size and the window's frame width (outer minus client width).
struct AboutLayout {
  int window_width;
  int button_left;
  int button_top;
  int client_height;
};
AboutLayout ComputeAboutLayout(const RECT& picture, SIZE button, int frame_width);

// Where the version text starts on the picture.
constexpr int kVersionTextLeft = 290;
constexpr int kVersionTextTop = 173;

class Tzokcfg_4 : public DialogForm {
 public:
  explicit Tzokcfg_4(form::Application& app);

  void LoadCaptions();

  form::Image* Image1 = nullptr;
  form::Button* BitBtn1 = nullptr;

 private:
  static const form::HandlerTable<Tzokcfg_4>& Handlers();
  void FormCreate(form::Component& sender);
  void FormShow(form::Component& sender);
  void BitBtn1Click(form::Component& sender);

  void WriteVersionOnPicture();
};

form::Layout AboutDialogLayout();
