// The currency symbol the View Functions dialog offers, taken from how the system formats the
// amount 1 as currency.
#pragma once
#include <string>

// The symbol in a formatted amount (ANSI text, compared byte by byte): the text before the
// first "1", "0" or space when that is not empty; otherwise what follows the last of them.
std::string CurrencySymbolFromText(const std::string& formatted);

// The symbol of the system default locale (GetCurrencyFormatA into 128 characters); empty when
// the system cannot format the amount.
std::string CurrencySymbolFromLocale();
