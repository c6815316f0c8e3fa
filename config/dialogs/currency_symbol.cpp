#include "dialogs/currency_symbol.h"

#include <windows.h>

#include <cstring>

namespace {

const char kAmountCharacters[] = "10 ";
constexpr int kFormatRoom = 128;

}  // namespace

std::string CurrencySymbolFromText(const std::string& formatted) {
  const size_t leading = formatted.find_first_of(kAmountCharacters);
  if (leading == std::string::npos) return formatted;
  if (leading != 0) return formatted.substr(0, leading);
  return formatted.substr(formatted.find_last_of(kAmountCharacters) + 1);
}

std::string CurrencySymbolFromLocale() {
  char formatted[kFormatRoom] = {};
  const int written = GetCurrencyFormatA(LOCALE_SYSTEM_DEFAULT, 0, "1", nullptr, formatted, kFormatRoom);
  if (written <= 0 || written > kFormatRoom) return std::string();
  // The count includes the terminator; the text never reaches past what was written.
  return CurrencySymbolFromText(std::string(formatted, strnlen(formatted, written)));
}
