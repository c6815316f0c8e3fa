// The key rows selected in the main window's two groups: the key that "Configure buttons" of
// each group edits.
#pragma once

extern int EditButton;  // the key that Configure Buttons and View Functions edit
extern int KeyRow;      // key of the key group's selected row
extern int NumPadRow;   // key of the numpad group's selected row

// The key whose radio button the numpad group shows checked when the window is built.
int StoredNumPadRow(bool yev);

// True when key `key` (0 .. 9) sits in the numpad group: keys 8 and 9 in YEV, 6 to 9 in ZOK.
bool KeyInNumPadGroup(int key, bool yev);
