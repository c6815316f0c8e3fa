#include "store/text_conversions.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr size_t kMaxNumberTextLength = 30;

bool IsDecimalDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

bool HasNumberTextLength(const std::wstring& text) {
  return !text.empty() && text.size() <= kMaxNumberTextLength;
}

// Blanks, one sign, digits: unsigned accumulation makes the 32-bit wrap well defined.
int32_t ParseLeadingNumber(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  uint32_t value = 0;
  for (; i < text.size() && IsDecimalDigit(text[i]); ++i)
    value = value * 10u + static_cast<uint32_t>(text[i] - L'0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t TextToInt(const std::wstring& text) {
  return HasNumberTextLength(text) ? ParseLeadingNumber(text) : 0;
}

int32_t TextToIntDef(const std::wstring& text, int32_t fallback) {
  if (!HasNumberTextLength(text) || !IsDecimalDigit(text[0])) return fallback;
  return ParseLeadingNumber(text);
}

std::wstring IntToText(int32_t value) {
  wchar_t buffer[16];
  swprintf(buffer, 16, L"%d", static_cast<int>(value));
  return buffer;
}

std::string WideToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], size,
                      nullptr, nullptr);
  return result;
}

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring result(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
  return result;
}
