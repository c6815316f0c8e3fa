#include "main_window/selected_rows.h"

int EditButton = 0;
int KeyRow = 0;
int NumPadRow = 0;

// YEV checks RadioButton10 (key 9), ZOK RadioButton7 (key 6).
int StoredNumPadRow(bool yev) { return yev ? 9 : 6; }

bool KeyInNumPadGroup(int key, bool yev) { return key >= (yev ? 8 : 6); }
