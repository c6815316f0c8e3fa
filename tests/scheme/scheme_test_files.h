// Scheme files for tests: written byte for byte (read back with testing_support::ReadFileBytes).
#pragma once
#include <string>

namespace scheme_tests {

// The text as a UTF-16LE file with byte-order mark.
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);

// The installed default scheme file of this build.
std::wstring InstalledFile(const std::wstring& name);

}  // namespace scheme_tests
