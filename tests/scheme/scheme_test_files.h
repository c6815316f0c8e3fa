// Scheme files for tests: written byte for byte and read back as bytes.
#pragma once
#include <string>

namespace scheme_tests {

// The bytes of a file (empty when missing).
std::string ReadFileBytes(const std::wstring& path);

// The text as a UTF-16LE file with byte-order mark.
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);

// The installed default scheme file of this build.
std::wstring InstalledFile(const std::wstring& name);

}  // namespace scheme_tests
