#include "main_window/key_row_redraw.h"

namespace {

KeyRowRedraws registered;

void Run(KeyRowRedraw redraw, Tzokcfg_0& window) {
  if (redraw) redraw(window);
}

}  // namespace

KeyRowRedraws SetKeyRowRedraws(const KeyRowRedraws& redraws) {
  KeyRowRedraws previous = registered;
  registered = redraws;
  return previous;
}

void RedrawKeyLabels(Tzokcfg_0& window) { Run(registered.labels, window); }
void RedrawKeyIcons(Tzokcfg_0& window) { Run(registered.icons, window); }
void RedrawEnableStates(Tzokcfg_0& window) { Run(registered.enable_states, window); }
