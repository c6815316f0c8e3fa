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

bool WriteSchemeFile(const std::wstring& path, const std::wstring& text, FileEncoding encoding) {
  if (encoding == FileEncoding::kUtf16) return WriteUtf16File(path, text);
  std::string bytes(text.size() * 2, '\0');
  bytes.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                                   static_cast<int>(bytes.size()), nullptr, nullptr));
  return testing_support::WriteTextFile(path, bytes);
}

std::wstring HandEditedSchemes(FileEncoding encoding) {
  const bool utf16 = encoding == FileEncoding::kUtf16;
  return std::wstring(L"; scheme file edited by hand\r\n[global]\r\nscheme = 2\r\ncurrent=1\r\n"
                      L"numbutton=2\r\n  default = 0\r\nNumHkBtns=2\r\nnumnumpad=0\r\n\r\n"
                      L"; the factory scheme\r\n[0]\r\nschemename=Factory\r\nfunction0=4\r\n"
                      L"CAPTION0 = \"Home\"\r\nassign0='C:\\Program Files\\home.exe'\r\n"
                      L"linkto0=C:\\Program Files\\home.exe\r\nvkey0=0\r\na line without equals\r\n"
                      L"caption1=Caf\u00e9\r\nassign1=~assign\r\nfunction1=4\r\nvkey1=0\r\n"
                      L"linkto1=~linkto\r\n\r\n[1]\r\nschemename = Mine\r\n; my keys\r\n"
                      L"caption0=  Esc key  \r\nAssign0=ESC\r\nfunction0=13\r\nvkey0=27\r\n"
                      L"my own key=kept\r\nlinkto0=ESC\r\ncaption10=ten\r\nlinkto12=twelve\r\n"
                      L"caption1\r\ncaption1=after the bare line\r\nfunction1=\r\n"
                      L"; between sections\r\n[2]\r\nschemename=Two\r\n") +
         (utf16 ? L"lin\u212Ato0=kelvin\r\ncaption1=\u041f\u043e\u0447\u0442\u0430\r\n" : L"") +
         L"function0=4\r\ncaption0=\"Two\"\r\nassign0=two.exe\r\nlinkto0=two.exe\r\nvkey0=0\r\n"
         L"[1]\r\ncaption0=second copy\r\nlinkto1=second copy link\r\n";
}

void PlatformWrite(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) {
  WritePrivateProfileStringW(section.c_str(), key.c_str(), value.empty() ? nullptr : value.c_str(),
                             file.c_str());
}

std::wstring PlatformRead(const std::wstring& file, const std::wstring& section,
                          const std::wstring& key, const std::wstring& default_value) {
  wchar_t buffer[256] = {};
  GetPrivateProfileStringW(section.c_str(), key.c_str(), default_value.c_str(), buffer, 255,
                           file.c_str());
  return buffer;
}

void PlatformSaveRow(const std::wstring& file, const std::wstring& section, int k,
                     const std::vector<std::wstring>& cells) {
  const wchar_t* fields[] = {L"caption", L"assign", L"function", L"vkey", L"linkto"};
  const wchar_t* sentinels[] = {L"~caption", L"~assign", nullptr, nullptr, L"~linkto"};
  for (int f = 0; f < 5; ++f)
    PlatformWrite(file, section, fields[f] + std::to_wstring(k),
                  cells[f].empty() && sentinels[f] ? sentinels[f] : cells[f]);
}

}  // namespace scheme_tests
