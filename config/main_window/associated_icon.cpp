#include "main_window/associated_icon.h"

#include <shellapi.h>

#include <cwchar>
#include <cwctype>
#include <string>

namespace {

bool HasNamingCharacter(const std::wstring& path) {
  return path.find_first_not_of(L"*\"<>?.") != std::wstring::npos;
}

// "x:" or "x:\" for a letter x, in either case.
bool IsBareDrive(const std::wstring& path) {
  if (path.size() < 2 || path.size() > 3) return false;
  const wchar_t letter = static_cast<wchar_t>(std::towlower(path[0]));
  if (letter < L'a' || letter > L'z' || path[1] != L':') return false;
  return path.size() == 2 || path[2] == L'\\';
}

bool DirectorySearchFinds(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

}  // namespace

HICON GetAssociatedIcon(const wchar_t* path, int index) {
  if (!path) return nullptr;
  const std::wstring text(path);
  if (!HasNamingCharacter(text) || IsBareDrive(text) || !DirectorySearchFinds(text)) return nullptr;
  // The platform writes the file it took the icon from into the buffer it is given.
  wchar_t buffer[MAX_PATH] = {};
  if (text.size() >= MAX_PATH) return nullptr;
  wcsncpy(buffer, text.c_str(), MAX_PATH - 1);
  WORD icon_index = static_cast<WORD>(index);
  return ExtractAssociatedIconW(GetModuleHandleW(nullptr), buffer, &icon_index);
}
