#include "store/profile_section.h"

#include <windows.h>

#include <cwchar>

#include "store/profile_text.h"

namespace {

bool IsAsciiAlphanumeric(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

}  // namespace

bool SameKeyName(const std::wstring& a, const std::wstring& b) {
  // Names of ASCII letters and digits only (every name this program writes) compare as
  // lstrcmpiW compares them, without its locale-aware cost; other names go to lstrcmpiW.
  bool plain = a.size() == b.size();
  for (size_t i = 0; plain && i < a.size(); ++i) {
    if (!IsAsciiAlphanumeric(a[i]) || !IsAsciiAlphanumeric(b[i])) plain = false;
    else if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return plain || lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

std::vector<std::wstring> ReadSectionNames(const std::wstring& file) {
  std::vector<wchar_t> text(4096);
  for (;;) {
    const DWORD copied =
        GetPrivateProfileSectionNamesW(text.data(), static_cast<DWORD>(text.size()), file.c_str());
    if (copied + 2 < text.size()) break;
    text.assign(text.size() * 2, L'\0');
  }
  std::vector<std::wstring> names;
  for (const wchar_t* name = text.data(); *name; name += wcslen(name) + 1) names.push_back(name);
  return names;
}

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

std::wstring SectionEntryText(const std::vector<ProfileEntry>& entries, const std::wstring& key,
                              const std::wstring& default_value) {
  const size_t room = kProfileBufferRoom - 1;
  for (const ProfileEntry& entry : entries) {
    if (!SameKeyName(entry.key, key)) continue;
    std::wstring value = entry.value;
    const bool quoted = value.size() > 1 && (value[0] == L'"' || value[0] == L'\'') &&
                        value.back() == value[0];
    if (quoted) value.erase(0, 1);
    std::wstring text = value.substr(0, room);
    // The closing quote goes only when the value was not cut (the platform's own rule).
    if (quoted && value.size() <= room + 1) text.pop_back();
    return text;
  }
  return default_value.substr(0, room);
}

void SetSectionEntry(std::vector<ProfileEntry>& entries, const std::wstring& key,
                     const std::wstring& value) {
  for (auto entry = entries.begin(); entry != entries.end(); ++entry) {
    if (!SameKeyName(entry->key, key)) continue;
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
