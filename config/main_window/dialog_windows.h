// The four dialogs that the main window opens. WinMain creates them after the main window, in
// the order zokcfg_1, zokcfg_2, zokcfg_4, zokcfg_3, and they live until the program ends; each
// reference is null before its dialog exists (and in tests that build the main window alone).
#pragma once

namespace form {
class Form;
class Font;
}  // namespace form

extern form::Form* zokcfg_1;  // Create New Theme
extern form::Form* zokcfg_2;  // Configure Buttons
extern form::Form* zokcfg_3;  // View Functions
extern form::Form* zokcfg_4;  // About

// The own font of each editing dialog, in the order zokcfg_1, zokcfg_2, zokcfg_3: set by the
// dialog when it creates the font, cleared when it frees it. Each time the main window is
// shown it copies the language font's name, size and character set into every one that exists.
constexpr int kEditingDialogCount = 3;
extern form::Font* DialogFonts[kEditingDialogCount];
