#include "store/profile_text.h"

#include <windows.h>

namespace {

// The one buffer every read goes through; the result is copied out at once.
wchar_t ProfileBuffer[kProfileBufferRoom];

}  // namespace

int WriteProfileText(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value, const std::wstring& file) {
  WritePrivateProfileStringW(section.c_str(), key.c_str(), value.empty() ? nullptr : value.c_str(),
                             file.c_str());
  return 1;
}

std::wstring ReadProfileText(const std::wstring& section, const std::wstring& key,
                             const std::wstring& default_value, const std::wstring& file) {
  ProfileBuffer[0] = L'\0';
  DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), default_value.c_str(),
                                          ProfileBuffer, kProfileBufferRoom, file.c_str());
  if (length >= kProfileBufferRoom) length = kProfileBufferRoom - 1;
  return std::wstring(ProfileBuffer, length);
}
