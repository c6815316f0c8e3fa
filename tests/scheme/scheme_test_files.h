// Scheme files for tests: written byte for byte (read back with testing_support::ReadFileBytes).
#pragma once
#include <string>
#include <vector>

namespace scheme_tests {

// The text as a UTF-16LE file with byte-order mark.
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);

// The installed default scheme file of this build.
std::wstring InstalledFile(const std::wstring& name);

// The two encodings a user scheme file comes in.
enum class FileEncoding { kUtf16, kAnsi };

// The text as a file of that encoding (ANSI: the system code page).
bool WriteSchemeFile(const std::wstring& path, const std::wstring& text, FileEncoding encoding);

// A user scheme file as a person edits it by hand: comments inside and between sections, blank
// lines, lines without "=", keys in other letter case, blanks around "=", quoted values, a
// second section of scheme 1's name further down, keys of the user's own and keys 10 and
// above. Three schemes of two keys, scheme 1 active. In UTF-16 it also holds texts outside the
// code page and a key name outside ASCII.
std::wstring HandEditedSchemes(FileEncoding encoding);

// The platform's own calls on a file: WritePrivateProfileStringW (an empty value removes the
// key), GetPrivateProfileStringW with a room of 255 characters.
void PlatformWrite(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value);
std::wstring PlatformRead(const std::wstring& file, const std::wstring& section,
                          const std::wstring& key, const std::wstring& default_value);

// The five platform writes with which OK saves the row of key k (caption, assign, function, vkey,
// linkto, in that order; empty texts as "~caption", "~assign", "~linkto").
void PlatformSaveRow(const std::wstring& file, const std::wstring& section, int k,
                     const std::vector<std::wstring>& cells);

}  // namespace scheme_tests
