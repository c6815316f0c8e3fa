// The scheme operations that reach the main window's scheme list ComboBox1 and its four scheme
// buttons (Delete, both Configure buttons, View functions).
#pragma once
#include <string>

#include "store/scheme_records.h"

class Tzokcfg_0;

// Lists the names of sections 0 .. IniData.scheme of the user scheme file in ComboBox1, selects
// the section's position and enables the four buttons for a user scheme; otherwise selects the
// factory scheme and disables them. Fires no selection handler; redraws the key labels.
// 0, or -1 when an error stops it.
int FillSchemeList(Tzokcfg_0& window, const std::wstring& section);

// Stores the position selected in ComboBox1 as the active scheme ("current" of "global" and
// the record). 0, or -1 without change when the file has no scheme.
int SaveCurrentSchemeIndex(Tzokcfg_0& window, const std::wstring& file);

// Reads "global" and the section into the record and the working set, fills the scheme list,
// takes its selection as the record's "current" and copies the working set into the record.
// 0, or -1 when the file has no scheme (then only the record's six numbers change).
int LoadScheme(Tzokcfg_0& window, const std::wstring& file, const std::wstring& section,
               ini_data& record);
