#include "main_window/file_title.h"

std::wstring ExtractFileTitle(const std::wstring& path, bool with_extension) {
  const size_t separator = path.rfind(L'\\');
  std::wstring name = separator == std::wstring::npos ? path : path.substr(separator + 1);
  if (with_extension) return name;
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}
