#include "main_window/dialog_windows.h"

form::Form* zokcfg_1 = nullptr;
form::Form* zokcfg_2 = nullptr;
form::Form* zokcfg_3 = nullptr;
form::Form* zokcfg_4 = nullptr;

form::Font* DialogFonts[kEditingDialogCount] = {};
