#include "system/language_texts.h"

#include <windows.h>

#include "store/contracts.h"
#include "store/text_conversions.h"

using namespace contracts;

namespace {

constexpr DWORD kValueRoom = 2048;
const char kMessageSection[] = "msg";
const char kObjectsSection[] = "objects";

std::wstring LookUp(const LanguageIni& ini, const std::string& section, const std::string& key) {
  std::wstring text = AnsiToWide(ini.ReadValue(section, key, key));
  return text.empty() ? AnsiToWide(key) : text;
}

bool FileExistsAsAnsiPath(const std::wstring& path) {
  return GetFileAttributesA(WideToAnsi(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

LanguageIni* LangIni = nullptr;

std::string LanguageIni::ReadValue(const std::string& section, const std::string& key,
                                   const std::string& default_value) const {
  // An empty name would make the reader fall back to the system's own ini file.
  if (path_.empty()) return default_value;
  char buffer[kValueRoom];
  buffer[0] = '\0';
  DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), default_value.c_str(),
                                          buffer, kValueRoom, path_.c_str());
  if (length >= kValueRoom) length = kValueRoom - 1;
  return std::string(buffer, length);
}

const LanguageIni& CurrentLanguageIni() {
  static const LanguageIni none("");
  return LangIni ? *LangIni : none;
}

std::wstring GetLanguageText(const LanguageIni& ini, const std::string& section,
                             const std::string& key, int32_t number) {
  if (section == kMessageSection)
    return LookUp(ini, kMessageSection, kMessageSection + WideToAnsi(IntToText(number)));
  if (section == kObjectsSection) return LookUp(ini, kObjectsSection, key);
  return std::wstring();
}

std::wstring LanguageMessageText(int32_t number) {
  return GetLanguageText(CurrentLanguageIni(), kMessageSection, "0", number);
}

std::wstring LanguageCaptionText(const std::string& key) {
  return GetLanguageText(CurrentLanguageIni(), kObjectsSection, key, -1);
}

LanguagePaths LanguagePathsFor(const std::wstring& install_folder, const std::wstring& code) {
  LanguagePaths paths;
  paths.language_file = install_folder + L"\\" + kInstalledFilePrefix + code + kLanguageFileSuffix;
  paths.default_scheme_file =
      install_folder + L"\\" + kInstalledFilePrefix + code + kDefaultSchemeFileSuffix;
  if (!FileExistsAsAnsiPath(paths.language_file))
    paths.language_file = install_folder + L"\\" + kFallbackLanguageFile;
  return paths;
}
