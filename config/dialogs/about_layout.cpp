#include "dialogs/about_dialog.h"

form::Layout AboutDialogLayout() {
  using form::Kind;
  using form::Row;
  form::Layout layout;
  layout.form = form::Window("zokcfg_4", L"Tzokcfg_4", L"About Zokline Keyboard", form::BorderStyle::kDialog, 377, 338)
                    .At(527, 224)
                    .Font(form::FontAttributes{L"MS Sans Serif", -11, DEFAULT_CHARSET})
                    .OnCreate("FormCreate")
                    .OnShow("FormShow");

  // The About picture: a baseline JPEG of 363 x 277 pixels.
  layout.rows.push_back(Row("Image1", Kind::kImage, "", 6, 6, 363, 277).Jpeg("ABOUT").AutoSize());
  layout.rows.push_back(Row("BitBtn1", Kind::kButton, "", 146, 299, 85, 25)
                            .Text(L"OK")
                            .Font(form::FontAttributes{L"Default", -11, -1})
                            .TabOrder(0)
                            .OnClick("BitBtn1Click"));
  return layout;
}

AboutLayout ComputeAboutLayout(const RECT& picture, SIZE button, int frame_width) {
  constexpr int kRightRoom = 19, kGap = 16;
  AboutLayout layout;
  layout.window_width = (picture.right - picture.left) + kRightRoom;
  layout.button_top = picture.bottom + kGap;
  layout.client_height = layout.button_top + button.cy + kGap;
  layout.button_left = (layout.window_width - frame_width - button.cx) / 2;
  return layout;
}
