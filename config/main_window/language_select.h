// Start-up choice of the language: language code from the user-interface language, the
// language font, the language file and the default scheme file.
#pragma once
#include <cstdint>

#include "form/font.h"

class Tzokcfg_0;

// The language font: the class library's default font until a language with a font of its own
// is chosen; the dialogs copy it when the main window is shown.
extern form::Font LangFont;

// Chooses the language from GetUserDefaultUILanguage (see SelectLanguageFor).
void SelectLanguage(Tzokcfg_0& window);

// With a language font: sets LangFont, gives it to the main window's controls and to the hint
// font. Sets DefaultSchemeFile and creates LangIni on the language file (falling back to
// "obj0409.set"), both in InstallFolder.
void SelectLanguageFor(Tzokcfg_0& window, uint16_t language_id);

// Gives a copy of the font to the 41 text controls of the main window: the logo labels, the
// scheme list, the group boxes, the key-row labels, the check box, the nine buttons and the
// five hidden row columns.
void ApplyLanguageFont(Tzokcfg_0& window, const form::Font& font);
