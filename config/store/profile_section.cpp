#include "store/profile_section.h"

#include <windows.h>
#include <winternl.h>

#include <cwchar>

#include "store/profile_text.h"

namespace {

bool IsPlainName(const std::wstring& name) {
  for (wchar_t c : name)
    if (c >= 0x80) return false;
  return true;
}

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

// Two plain names as the profile functions compare them.
bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// The blanks of the profile functions (tab to carriage return, ^Z, space): a read drops them
// around names, around "=" and at the ends of values, a write from the start of a value.
bool IsProfileBlank(wchar_t c) { return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == L' '; }

std::wstring WithoutLeadingBlanks(const std::wstring& value) {
  size_t start = 0;
  while (start < value.size() && IsProfileBlank(value[start])) ++start;
  return value.substr(start);
}

std::wstring WithoutBlankEnds(const std::wstring& text) {
  std::wstring trimmed = WithoutLeadingBlanks(text);
  while (!trimmed.empty() && IsProfileBlank(trimmed.back())) trimmed.pop_back();
  return trimmed;
}

// The default as GetPrivateProfileStringW uses it: trailing spaces removed, never the first
// character.
std::wstring TrimmedDefault(const std::wstring& text) {
  if (text.empty()) return text;
  size_t end = text.size() - 1;
  while (end > 0 && text[end] == L' ') --end;
  return text.substr(0, end + 1);
}

// A value copied into a buffer of `room` characters: one pair of enclosing quotes (" or ')
// removed; when the value is cut, its last character goes in place of the closing quote.
std::wstring CopiedEntry(const std::wstring& value, unsigned room) {
  const bool quoted = value.size() > 1 && (value[0] == L'"' || value[0] == L'\'') &&
                      value.back() == value[0];
  const size_t start = quoted ? 1 : 0;
  std::wstring copy = value.substr(start, room > 0 ? room - 1 : 0);
  if (quoted && room >= value.size() - start && !copy.empty()) copy.pop_back();
  return copy;
}

// A list of zero-terminated strings ending in an empty one, as the section functions fill it;
// `read` fills the buffer and returns the characters copied.
template <typename Read>
std::vector<wchar_t> ReadStringList(Read read) {
  std::vector<wchar_t> text(8192);
  for (;;) {
    text[0] = text[1] = L'\0';
    const DWORD copied = read(text.data(), static_cast<DWORD>(text.size()));
    if (copied + 2 < text.size()) return text;
    text.assign(text.size() * 2, L'\0');
  }
}

// Rooms of the INICTL reads: ReadString's buffer and GetPrivateProfileIntW's own.
constexpr unsigned kIniStringRoom = 1024;
constexpr unsigned kIniIntegerRoom = 30;

// The conversion GetPrivateProfileIntW makes of the text it reads (ntdll's
// RtlUnicodeStringToInteger with base 0: blanks, a sign, "0x", "0o" and "0b" prefixes).
ULONG PlatformTextToInteger(const std::wstring& text) {
  using Convert = NTSTATUS(NTAPI*)(const UNICODE_STRING*, ULONG, ULONG*);
  static const Convert convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUnicodeStringToInteger")));
  std::wstring copy = text;
  UNICODE_STRING counted;
  counted.Length = counted.MaximumLength = static_cast<USHORT>(copy.size() * sizeof(wchar_t));
  counted.Buffer = &copy[0];
  ULONG value = 0;
  if (convert) convert(&counted, 0, &value);
  return value;
}

// The lines of the section as the platform's section read returns them.
std::vector<std::wstring> ReadSectionLines(const std::wstring& section, const std::wstring& file) {
  const std::vector<wchar_t> text = ReadStringList([&](wchar_t* buffer, DWORD size) {
    return GetPrivateProfileSectionW(section.c_str(), buffer, size, file.c_str());
  });
  std::vector<std::wstring> lines;
  for (const wchar_t* line = text.data(); *line; line += wcslen(line) + 1) lines.push_back(line);
  return lines;
}

}  // namespace

std::vector<std::wstring> ReadSectionNames(const std::wstring& file) {
  const std::vector<wchar_t> text = ReadStringList([&](wchar_t* buffer, DWORD size) {
    return GetPrivateProfileSectionNamesW(buffer, size, file.c_str());
  });
  std::vector<std::wstring> names;
  for (const wchar_t* name = text.data(); *name; name += wcslen(name) + 1) names.push_back(name);
  return names;
}

ProfileLine ParseProfileLine(const std::wstring& line) {
  const std::wstring text = WithoutBlankEnds(line);
  const size_t equals = text.find(L'=');
  if (equals == std::wstring::npos) return {text, std::wstring(), false};
  return {WithoutBlankEnds(text.substr(0, equals)), WithoutBlankEnds(text.substr(equals + 1)),
          true};
}

ProfileSection::ProfileSection(const std::wstring& section, const std::wstring& file)
    : ProfileSection(section, file, ReadSectionLines(section, file)) {}

ProfileSection::ProfileSection(const std::wstring& section, const std::wstring& file,
                               const std::vector<std::wstring>& lines)
    : section_(section), file_(file) {
  for (const std::wstring& text : lines) {
    const ProfileLine line = ParseProfileLine(text);
    // A line of blanks only is no line to the key-by-key reads.
    if (line.key.empty() && !line.has_value) continue;
    if (!IsPlainName(line.key)) plain_names_ = false;
    lines_.push_back({line, false});
  }
  held_ = !lines_.empty();
}

const ProfileSection::Line* ProfileSection::Find(const std::wstring& key) const {
  for (const Line& line : lines_)
    if (SameName(line.key, key)) return &line;
  return nullptr;
}

std::wstring ProfileSection::Copied(const std::wstring& key, const std::wstring& default_value,
                                    unsigned room) const {
  if (!plain_names_ || !IsPlainName(key)) {
    std::vector<wchar_t> buffer(room + 1, L'\0');
    GetPrivateProfileStringW(section_.c_str(), key.c_str(), default_value.c_str(), buffer.data(),
                             room, file_.c_str());
    return buffer.data();
  }
  const Line* line = Find(key);
  return CopiedEntry(line && line->has_value ? line->value : TrimmedDefault(default_value), room);
}

std::wstring ProfileSection::Text(const std::wstring& key,
                                  const std::wstring& default_value) const {
  return Copied(key, default_value, kProfileBufferRoom);
}

std::wstring ProfileSection::IniString(const std::wstring& key,
                                       const std::wstring& default_value) const {
  const std::wstring text = Copied(key, default_value, kIniStringRoom);
  return text.empty() ? default_value : text;
}

int ProfileSection::IniInteger(const std::wstring& key, int default_value) const {
  const std::wstring text = Copied(key, L"", kIniIntegerRoom);
  if (text.empty()) return default_value;
  return static_cast<int>(PlatformTextToInteger(text));
}

bool ProfileSection::OnlyOneSectionOfItsName() const {
  if (sections_of_name_ < 0) {
    sections_of_name_ = 0;
    for (const std::wstring& name : ReadSectionNames(file_)) {
      // A name outside ASCII might match in the platform's eyes: counted as a second one.
      if (!IsPlainName(name)) sections_of_name_ += 2;
      else if (SameName(name, section_)) ++sections_of_name_;
    }
  }
  return sections_of_name_ == 1;
}

bool ProfileSection::WriteChangesNothing(const std::wstring& key, const std::wstring& value) const {
  if (!held_ || !plain_names_ || !IsPlainName(key)) return false;
  const Line* line = Find(key);
  if (value.empty()) return !line && OnlyOneSectionOfItsName();
  return line && line->has_value && !line->written && line->value == WithoutLeadingBlanks(value);
}

void ProfileSection::Written(const std::wstring& key, const std::wstring& value) {
  for (auto line = lines_.begin(); line != lines_.end(); ++line) {
    if (!SameName(line->key, key)) continue;
    if (value.empty()) {
      lines_.erase(line);
    } else {
      line->value = WithoutLeadingBlanks(value);
      line->has_value = true;
      line->written = true;
    }
    return;
  }
  if (!value.empty()) lines_.push_back({{key, WithoutLeadingBlanks(value), true}, true});
}

void ProfileWriter::ReadAhead(const std::wstring& section) { Section(section); }

const ProfileSection& ProfileWriter::Stored(const std::wstring& section) {
  return Section(section);
}

void ProfileWriter::Write(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) {
  ProfileSection& stored = Section(section);
  if (stored.WriteChangesNothing(key, value)) return;
  WriteProfileText(section, key, value, file_);
  stored.Written(key, value);
}

ProfileSection& ProfileWriter::Section(const std::wstring& section) {
  auto found = sections_.find(section);
  if (found == sections_.end())
    found = sections_.emplace(section, ProfileSection(section, file_)).first;
  return found->second;
}
