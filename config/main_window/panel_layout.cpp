#include "main_window/panel_layout.h"

namespace {
constexpr int kPanelMargin = 48;      // room around the panel's groups
constexpr int kCheckBoxRise = 26;     // check box top above the panel's lower edge
constexpr int kButtonGap = 6;         // bottom buttons below the panel
constexpr int kBottomMargin = 12;     // button gap plus the margin under the buttons
}  // namespace

PanelLayout ComputePanelLayout(const PanelHeights& heights, bool numpad_shown) {
  PanelLayout layout;
  layout.panel_height = heights.logo_label1 + heights.logo_label2 + heights.scheme_group +
                        heights.key_group + heights.check_box + kPanelMargin;
  if (numpad_shown) layout.panel_height += heights.numpad_group;
  layout.check_box_top = layout.panel_height - kCheckBoxRise;
  layout.button_top = layout.panel_height + kButtonGap;
  layout.client_height = layout.panel_height + heights.ok_button + kBottomMargin;
  return layout;
}
