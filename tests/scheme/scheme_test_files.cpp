#include "scheme_test_files.h"

#include <windows.h>

#include "test_support.h"

namespace scheme_tests {

bool WriteUtf16File(const std::wstring& path, const std::wstring& text) {
  std::string bytes("\xFF\xFE", 2);
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return testing_support::WriteTextFile(path, bytes);
}

std::wstring InstalledFile(const std::wstring& name) {
  return testing_support::BinDir() + L"\\install\\" + name;
}

}  // namespace scheme_tests
