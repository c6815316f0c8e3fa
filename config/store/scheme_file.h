// Reading and writing the scheme files (the per-user file and the installed default file):
// section "global" and one numbered section per scheme. Everything here works on the file alone;
// the scheme list of the main window is filled by scheme_list.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/scheme_records.h"

class ProfileWriter;

// The highest n whose section (named by the decimal text of n) the file holds; -1 for none.
int32_t HighestSchemeSection(const std::wstring& file);

// The last section a loop over the schemes of `file` visits: `last`, but never past the highest
// numbered scheme section the file holds, so a damaged "scheme" costs no more than the sections
// that exist while a missing section below them reads as sentinels; -1 (none) for a negative
// `last` or a file without scheme sections.
int32_t LastListedScheme(const std::wstring& file, int32_t last);

// Key name of a key: the field name followed by the key number ("caption0", "vkey9").
std::wstring KeyName(const wchar_t* field, int index);

// "scheme" of section "global" as the save, delete and write operations see it: the text read
// with default "-1" through TextToIntDef with fallback -1 (so "abc" and "-2" give -1).
int32_t ReadStoredSchemeIndex(const std::wstring& file);

// The writers below write key by key in the order given, each write left out when the file
// already holds that value (ProfileWriter).

// Writes "scheme", "current", "numbutton", "default", "numhkbtns", "numnumpad" of the record to
// section "global" in that order. 0, or -1 when an error stops it (writes made before stay).
int WriteGlobalSection(const std::wstring& file, const ini_data& record = IniData);
int WriteGlobalSection(ProfileWriter& writer, const ini_data& record);

// The stored active scheme: -1 when the file has no scheme; otherwise "current" through
// TextToIntDef with fallback 0, not compared with "scheme".
int32_t ReadCurrentSchemeIndex(const std::wstring& file);

// Whether "scheme" as read by ReadStoredSchemeIndex lets the active scheme be saved. YEV refuses
// only -1; ZOK refuses every negative value.
bool StoredSchemeAllowsSave(int32_t stored_scheme);

// Stores `position` as the active scheme (record and "current" in "global"): 0, or -1 without
// change when the file has no scheme.
int SaveSchemeIndexAt(const std::wstring& file, int32_t position, ini_data& record);

// Writes "global" and, per key 0 .. min(numbutton, 10) - 1, function, caption, assign, linkto,
// vkey to the section (an empty text removes its key). Not "schemename". 0, or -1 without
// writing when the file has no scheme.
int WriteSchemeSection(const std::wstring& file, const std::wstring& section,
                       const ini_data& record = IniData);
int WriteSchemeSection(ProfileWriter& writer, const std::wstring& section, const ini_data& record);

// Reads the six numbers of "global" into the record with TextToInt. False when "scheme" is -1
// (missing file or key, or a value that converts to -1).
bool ReadGlobalSection(const std::wstring& file, ini_data& record);

// Reads "schemename" and keys 0 .. min(numbutton, 10) - 1 of a section into the target; keys
// above keep what they hold. Missing keys yield the sentinels and codes 0.
void ReadSchemeSection(const std::wstring& file, const std::wstring& section, int32_t numbutton,
                       scheme_data& target);

// The file part of loading a scheme: "global" into the record, then the section into the working
// set. -1 when the file has no scheme (the record keeps the numbers just read), else 0.
int ReadSchemeIntoRecords(const std::wstring& file, const std::wstring& section,
                          ini_data& record, scheme_data& working_set);

// The names of sections 0 .. LastListedScheme(file, last) ("~schemename" for a section without
// one), as the scheme list shows them.
std::vector<std::wstring> ReadSchemeNames(const std::wstring& file, int32_t last);

// What the scheme list selects for a section text among `item_count` items, and whether the
// scheme buttons are enabled: a user scheme (position above 0 inside the list) is selected and
// enables them; anything else selects position 0 (none in an empty list) and disables them.
struct SchemeListChoice {
  int32_t selected;  // -1: nothing selected
  bool user_scheme;
};
SchemeListChoice ChooseSchemeListSelection(const std::wstring& section, size_t item_count);
