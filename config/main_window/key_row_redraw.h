// The redraws the scheme operations ask of the main window's key rows after they change the
// working set, the key records or the selected scheme. The key-row drawing registers what it
// does for each; a request with nothing registered draws nothing. Tests register counters.
#pragma once

class Tzokcfg_0;

using KeyRowRedraw = void (*)(Tzokcfg_0& window);

struct KeyRowRedraws {
  KeyRowRedraw labels = nullptr;         // captions and assignments from the working set
  KeyRowRedraw icons = nullptr;          // key pictures from the record's key records
  KeyRowRedraw enable_states = nullptr;  // edit controls by the selected scheme
};

// Replaces the registered redraws; returns the previous ones.
KeyRowRedraws SetKeyRowRedraws(const KeyRowRedraws& redraws);

void RedrawKeyLabels(Tzokcfg_0& window);
void RedrawKeyIcons(Tzokcfg_0& window);
void RedrawEnableStates(Tzokcfg_0& window);
