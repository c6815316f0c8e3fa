// Conversions between wide text and text of the system code page.
#pragma once
#include <string>

namespace form {

std::wstring CodePageToWide(const std::string& text);
std::string WideToCodePage(const std::wstring& text);

}  // namespace form
