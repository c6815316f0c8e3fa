// The main window's captions from the language file, with what changes on its labels, check
// box and View functions button at the same moment.
#pragma once
#include <string>
#include <vector>

class Tzokcfg_0;

// Caption keys of the main window in the order they are looked up in section "objects".
const std::vector<std::string>& MainWindowCaptionKeys();

// The check box's point size from its "CheckBox1_font_size" text: a leading decimal number,
// 8 for anything that does not start with a digit.
int CheckBoxFontSize(const std::wstring& text);

// YEV: View functions disabled and hidden. Key-row labels show "&" literally. Locked keys
// applied. Then every caption key, the check box caption placed right of its box and its font
// size from the language file.
void LoadLocalizedCaptions(Tzokcfg_0& window);
