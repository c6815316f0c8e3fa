// Conversions between numbers and texts that every part of the configuration program uses.
#pragma once
#include <cstdint>
#include <string>

// A text of 1 to 30 characters: leading white space, one sign, then decimal digits up to the
// first other character, accumulated in 32-bit two's complement (wrapping, no overflow test).
// Any other text, and one without digits, gives 0.
int32_t TextToInt(const std::wstring& text);

// The same conversion for a text of 1 to 30 characters whose first character is a decimal
// digit; every other text (a sign, a blank first, empty, too long) gives the fallback.
int32_t TextToIntDef(const std::wstring& text, int32_t fallback);

// Decimal text as "%d" prints it.
std::wstring IntToText(int32_t value);

// The text in the system ANSI code page; unmapped characters become its default character.
std::string WideToAnsi(const std::wstring& text);

// The text of the system ANSI code page as wide text.
std::wstring AnsiToWide(const std::string& text);
