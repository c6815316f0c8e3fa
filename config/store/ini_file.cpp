#include "store/ini_file.h"

#include <windows.h>

#include "store/text_conversions.h"

namespace {

constexpr size_t kMaxFileNameLength = 1024;
constexpr DWORD kReadStringRoom = 1024;
const wchar_t kFallbackFileName[] = L"c:\\kvzok";

}  // namespace

INICTL::INICTL(const std::wstring& file_name)
    : file_name_(file_name.empty() || file_name.size() > kMaxFileNameLength ? kFallbackFileName
                                                                            : file_name) {}

int INICTL::ReadInteger(const std::wstring& section, const std::wstring& key,
                        int default_value) const {
  return static_cast<int>(
      GetPrivateProfileIntW(section.c_str(), key.c_str(), default_value, file_name_.c_str()));
}

int INICTL::WriteInteger(const std::wstring& section, const std::wstring& key, int value) const {
  return WriteString(section, key, IntToText(value));
}

std::wstring INICTL::ReadString(const std::wstring& section, const std::wstring& key,
                                const std::wstring& default_value) const {
  wchar_t buffer[kReadStringRoom];
  buffer[0] = L'\0';
  DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), default_value.c_str(),
                                          buffer, kReadStringRoom, file_name_.c_str());
  if (length == 0) return default_value;
  if (length >= kReadStringRoom) length = kReadStringRoom - 1;
  return std::wstring(buffer, length);
}

int INICTL::WriteString(const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) const {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                                    file_name_.c_str());
}

int INICTL::EraseSection(const std::wstring& section) const {
  return WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, file_name_.c_str());
}
