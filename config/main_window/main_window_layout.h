// The layout table of the main window (class Tzokcfg_0) in the ZOK and YEV variants, and the
// placement rule of its key rows.
#pragma once
#include <string>

#include "form/layout.h"

// Where the five controls of one key row stand inside their group box.
struct KeyRowPlacement {
  std::string group;  // "GroupBox2" (key group) or "GroupBox3" (numpad group)
  int slot = 0;       // 0 for the group's first row from the top
  int radio_top = 0;
  int picture_top = 0;
  int label_top = 0;  // caption and assignment labels
  int icon_top = 0;   // the small function picture
  int icon_left = 0;
};

// Fixed left positions and sizes of a key row's controls.
constexpr int kRadioLeft = 8, kRadioWidth = 16, kRadioHeight = 17;
constexpr int kPictureLeft = 30, kPictureSize = 32;
constexpr int kCaptionLabelLeft = 80, kCaptionLabelWidth = 86, kLabelHeight = 20;
constexpr int kSmallIconSize = 16;
constexpr int kAssignLabelLeft = 214, kAssignLabelWidth = 200;

// Placement of key row `row` (1 to 10: RadioButton<row>, Image<row>, Label<row>,
// Image<10 + row>, Label<10 + row>) in the given variant.
KeyRowPlacement PlaceKeyRow(bool yev, int row);

// The main window's whole layout table for the variant.
form::Layout MainWindowLayout(bool yev);
