// The main window's vertical layout: the panel's height from the heights of what it holds,
// the tray check box inside its lower edge, the bottom buttons under it, and the client height.
#pragma once

// Heights of the controls that decide the layout.
struct PanelHeights {
  int logo_label1 = 0;
  int logo_label2 = 0;
  int scheme_group = 0;   // GroupBox1
  int key_group = 0;      // GroupBox2
  int numpad_group = 0;   // GroupBox3
  int check_box = 0;      // CheckBox1
  int ok_button = 0;      // BitBtn6
};

struct PanelLayout {
  int panel_height = 0;   // Panel1
  int check_box_top = 0;  // CheckBox1, inside the panel
  int button_top = 0;     // BitBtn6, BitBtn7, BitBtn8, BitBtn9, in the window
  int client_height = 0;  // the window's client area
};

// The layout with the numpad group hidden or shown.
PanelLayout ComputePanelLayout(const PanelHeights& heights, bool numpad_shown);
