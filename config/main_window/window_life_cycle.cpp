// The main window's life after start-up: the numpad group on the hot-key handler's request, a
// new fit when the display changes, and the show, resize and destroy handlers.
#include "form/font.h"
#include "main_window/dialog_windows.h"
#include "main_window/language_select.h"
#include "main_window/main_window.h"
#include "main_window/panel_layout.h"
#include "main_window/start_up.h"

namespace {

constexpr WPARAM kHideNumPad = 0;
constexpr WPARAM kShowNumPad = 1;

// The panel layout with the numpad group shown, then the group enabled and shown.
void ShowNumPadGroupAndLayOut(Tzokcfg_0& window) {
  const PanelLayout layout = ComputePanelLayout(PanelHeightsOf(window), true);
  window.Panel1->SetHeight(layout.panel_height);
  window.SetClientHeight(layout.client_height);
  window.CheckBox1->SetTop(layout.check_box_top);
  for (form::Button* button : {window.BitBtn6, window.BitBtn7, window.BitBtn8, window.BitBtn9})
    button->SetTop(layout.button_top);
  window.GroupBox3->SetEnabled(true);
  window.GroupBox3->Show();
}

// The editing dialogs that exist take the language font's name, size and character set.
void GiveDialogsTheLanguageFont() {
  for (form::Font* font : DialogFonts) {
    if (!font) continue;
    font->SetName(LangFont.Name());
    font->SetSize(LangFont.Size());
    font->SetCharset(LangFont.Charset());
  }
}

}  // namespace

void Tzokcfg_0::FormShow(form::Component&) {
  FitToWorkArea();
  CenterOnWorkArea();
  GiveDialogsTheLanguageFont();
  UpdateEnableStates();
}

void Tzokcfg_0::FormResize(form::Component&) { CenterOnWorkArea(); }

// The radio buttons go before the window's other controls; the language font is released.
void Tzokcfg_0::FormDestroy(form::Component&) {
  for (form::RadioButton*& radio : RadioTable) {
    if (!radio) continue;
    DestroyComponent(radio);
    radio = nullptr;
  }
  LangFont = form::Font();
}

void Tzokcfg_0::ShowNumPadGroup(WPARAM wparam) {
  if (wparam == kHideNumPad) HideNumPadGroupAndLayOut(*this);
  if (wparam == kShowNumPad) ShowNumPadGroupAndLayOut(*this);
  FitToWorkArea();
  Show();
}

void Tzokcfg_0::ReLayoutAndShow() {
  FitToWorkArea();
  Show();
}
