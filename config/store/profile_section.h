// A whole section of a scheme file read and written at once through the wide private-profile
// section functions: one platform call each way instead of one per key, with the same result
// in the file as the key-by-key writes of profile_text.h.
#pragma once
#include <string>
#include <vector>

struct ProfileEntry {
  std::wstring key;
  std::wstring value;
};

// Whether two key names are the same as the profile functions match them: lstrcmpiW's
// case-blind comparison.
bool SameKeyName(const std::wstring& a, const std::wstring& b);

// The names of the file's sections in file order, a name held twice twice; empty when the file
// is missing or cannot be read.
std::vector<std::wstring> ReadSectionNames(const std::wstring& file);

// The section's keys in file order, values as stored; empty when the section is missing.
std::vector<ProfileEntry> ReadSectionEntries(const std::wstring& section, const std::wstring& file);

// What ReadProfileText gives for the key, taken from the section's entries: the first key of
// that name (compared without regard to case), one pair of enclosing quotes removed, cut at the
// same length; the default when the key is missing.
std::wstring SectionEntryText(const std::vector<ProfileEntry>& entries, const std::wstring& key,
                              const std::wstring& default_value);

// What WriteProfileText does to a file, done to the entries: the first key of that name
// (compared without regard to case) takes the value in place, a new key goes at the end, an
// empty value removes the key.
void SetSectionEntry(std::vector<ProfileEntry>& entries, const std::wstring& key,
                     const std::wstring& value);

// Replaces the section's keys by the entries (the section keeps its place; a missing one is
// added at the end of the file).
void WriteSectionEntries(const std::wstring& section, const std::vector<ProfileEntry>& entries,
                         const std::wstring& file);
