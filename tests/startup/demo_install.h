// The demo installation of the source tree and the reading of its profile files, shared by
// the start-up tests.
#pragma once
#include <windows.h>

#include <string>

namespace startup_test {

// A file of the demo installation, reached through Wine's drive for the host's root.
inline std::wstring DemoInstallFile(const std::wstring& name) {
  const std::string folder = ZOK_DEMO_INSTALL_DIR;
  std::wstring path = L"Z:";
  for (char c : folder) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path + L"\\" + name;
}

inline std::wstring ProfileText(const std::wstring& file, const wchar_t* section,
                                const wchar_t* key) {
  wchar_t text[1024] = {};
  GetPrivateProfileStringW(section, key, L"", text, 1024, file.c_str());
  return text;
}

}  // namespace startup_test
