// The scheme row table: every key of every scheme as text, in the main window's five hidden
// list boxes (TntListBox1 caption, 2 assign, 3 function, 4 vkey, 5 linkto). Key k of scheme s
// is row s * numbutton + k, numbutton being the keys per scheme bounded to the ten key records.
#pragma once
#include <cstdint>
#include <string>

class Tzokcfg_0;

// Set by the button dialogs when they change a key; cleared by a scheme switch and by a new
// scheme.
extern bool SchemeModified;
// True only while Delete runs the OK button's apply: the OK handler then resets it and returns
// instead of ending the program.
extern bool ApplyFromDelete;

// Keys per scheme in the table: "numbutton" of the user scheme file's "global", bounded to
// 0 .. 10.
int RowsPerScheme();

// The row of key k of the selected scheme (record's current and numbutton), or -1 when that
// key or scheme does not exist.
int RowOfButton(int key);

// Reads every key of sections 0 .. "scheme" of the user scheme file into the end of the table.
void LoadAllSchemeRows(Tzokcfg_0& window);
// Reads the keys of one section into the end of the table.
void AppendSchemeRows(Tzokcfg_0& window, int32_t scheme);
// Writes every row to its section (caption, assign, function, vkey, linkto); empty text cells
// become their sentinels, in the cells too.
void SaveAllRows(Tzokcfg_0& window);
// The working set and the record's keys from the scheme's rows; the record's name from the
// working set; then the key rows are redrawn. Rows that do not exist are skipped.
void LoadSchemeFromRows(Tzokcfg_0& window, int32_t scheme);
// The same without the redraw: the working set and the record's keys only.
void LoadSchemeRecordsFromRows(Tzokcfg_0& window, int32_t scheme);
// The scheme's rows from the record's keys, then the key rows are redrawn. Nothing at all for
// the factory scheme 0; rows that do not exist are skipped.
void WriteSnapshotRows(Tzokcfg_0& window, int32_t scheme);

// Shows the row in ActIndex and selects it in the five columns; nothing for a row outside the
// table.
void SelectRow(Tzokcfg_0& window, int row);
// Sets the five cells of a row: 1, or 0 for a row outside the table (nothing written).
int SetRow(Tzokcfg_0& window, int row, int32_t function, int32_t vkey, const std::wstring& caption,
           const std::wstring& assign, const std::wstring& linkto);
// Removes `count` rows starting at `first` from every column (as far as they exist).
void RemoveRows(Tzokcfg_0& window, int first, int count);
// Number of rows of the table.
int RowCount(Tzokcfg_0& window);
