#include "store/profile_section.h"

#include <windows.h>

#include <cwchar>

std::vector<ProfileEntry> ReadSectionEntries(const std::wstring& section, const std::wstring& file) {
  std::vector<wchar_t> text(8192);
  for (;;) {
    const DWORD copied = GetPrivateProfileSectionW(section.c_str(), text.data(),
                                                   static_cast<DWORD>(text.size()), file.c_str());
    if (copied + 2 < text.size()) break;
    text.assign(text.size() * 2, L'\0');
  }
  std::vector<ProfileEntry> entries;
  for (const wchar_t* line = text.data(); *line; line += wcslen(line) + 1) {
    const wchar_t* equals = wcschr(line, L'=');
    if (!equals) continue;
    entries.push_back({std::wstring(line, equals), std::wstring(equals + 1)});
  }
  return entries;
}

void SetSectionEntry(std::vector<ProfileEntry>& entries, const std::wstring& key,
                     const std::wstring& value) {
  for (auto entry = entries.begin(); entry != entries.end(); ++entry) {
    if (lstrcmpiW(entry->key.c_str(), key.c_str()) != 0) continue;
    if (value.empty()) {
      entries.erase(entry);
    } else {
      entry->value = value;
    }
    return;
  }
  if (!value.empty()) entries.push_back({key, value});
}

void WriteSectionEntries(const std::wstring& section, const std::vector<ProfileEntry>& entries,
                         const std::wstring& file) {
  std::wstring text;
  for (const ProfileEntry& entry : entries) {
    text += entry.key + L"=" + entry.value;
    text += L'\0';
  }
  text += L'\0';
  WritePrivateProfileSectionW(section.c_str(), text.c_str(), file.c_str());
}
