#include "main_window/language_captions.h"

#include "system/language_texts.h"
#include "main_window/locked_buttons.h"
#include "main_window/main_window.h"
#include "store/text_conversions.h"
#include "variant.h"

namespace {

constexpr int kDefaultCheckBoxFontSize = 8;
const char kCheckBoxCaptionKey[] = "CheckBox1_caption";
const char kCheckBoxFontSizeKey[] = "CheckBox1_font_size";

void DisableAccelCharsOfKeyRowLabels() {
  for (int n = 1; n <= 20; ++n)
    if (LabelTable[n]) LabelTable[n]->SetShowAccelChar(false);
}

// The control a caption key names: its component name followed by "_caption".
form::Control* CaptionTarget(Tzokcfg_0& window, const std::string& key) {
  static const std::string kSuffix = "_caption";
  if (key.size() <= kSuffix.size()) return nullptr;
  const std::string name = key.substr(0, key.size() - kSuffix.size());
  return dynamic_cast<form::Control*>(window.Find(name));
}

}  // namespace

const std::vector<std::string>& MainWindowCaptionKeys() {
  static const std::vector<std::string> keys = {
      "zokcfg_0_caption",  "Label_Logo1_caption", "Label_Logo2_caption", "GroupBox1_caption",
      "BitBtn1_caption",   "BitBtn2_caption",     "GroupBox2_caption",   "BitBtn3_caption",
      "GroupBox3_caption", "BitBtn4_caption",     "BitBtn5_caption",     kCheckBoxCaptionKey,
      kCheckBoxFontSizeKey, "BitBtn9_caption",    "BitBtn6_caption",     "BitBtn7_caption",
      "BitBtn8_caption",
  };
  return keys;
}

int CheckBoxFontSize(const std::wstring& text) {
  return TextToIntDef(text, kDefaultCheckBoxFontSize);
}

void LoadLocalizedCaptions(Tzokcfg_0& window) {
  if (variant::kIsYev) {
    window.BitBtn4->SetEnabled(false);
    window.BitBtn4->Hide();
  }
  DisableAccelCharsOfKeyRowLabels();
  ApplyLockedButtons(window);
  for (const std::string& key : MainWindowCaptionKeys()) {
    const std::wstring text = LanguageCaptionText(key);
    if (key == "zokcfg_0_caption") {
      window.SetCaptionA(WideToAnsi(text));
    } else if (key == kCheckBoxFontSizeKey) {
      window.CheckBox1->Font().SetSize(CheckBoxFontSize(text));
    } else {
      if (key == kCheckBoxCaptionKey) window.CheckBox1->SetCaptionOnRight(true);
      if (form::Control* target = CaptionTarget(window, key)) target->SetTextA(WideToAnsi(text));
    }
  }
}
