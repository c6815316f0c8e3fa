// Number/text conversions every part of the configuration program relies on.
#include <gtest/gtest.h>

#include "store/text_conversions.h"

namespace {

TEST(TextToInt, AcceptsBlanksSignAndLeadingDigitsOfShortTexts) {
  EXPECT_EQ(0, TextToInt(L""));
  EXPECT_EQ(12, TextToInt(L"12ab"));
  EXPECT_EQ(-7, TextToInt(L" -7"));
  EXPECT_EQ(-7, TextToInt(L"\t\t-7x"));
  EXPECT_EQ(5, TextToInt(L"+5"));
  EXPECT_EQ(0, TextToInt(L"abc"));
  EXPECT_EQ(0, TextToInt(L"--5"));
  EXPECT_EQ(0, TextToInt(L"- 5"));
  EXPECT_EQ(0, TextToInt(L"~current"));
}

TEST(TextToInt, LengthLimitAndWrapAround) {
  EXPECT_EQ(0, TextToInt(std::wstring(31, L'1')));           // 31 digits: too long
  EXPECT_EQ(0, TextToInt(std::wstring(29, L' ') + L"12"));   // 31 characters
  EXPECT_EQ(12, TextToInt(std::wstring(28, L' ') + L"12"));  // 30 characters
  // Accumulation wraps in 32 bits instead of saturating.
  EXPECT_EQ(-1294967296, TextToInt(L"3000000000"));
  EXPECT_EQ(2147483647, TextToInt(L"2147483647"));
  EXPECT_EQ(-2147483647 - 1, TextToInt(L"2147483648"));
  EXPECT_EQ(-2147483647 - 1, TextToInt(L"-2147483648"));
  EXPECT_EQ(1, TextToInt(L"4294967297"));
  // 30 nines: the value modulo 2^32.
  EXPECT_EQ(1073741823, TextToInt(std::wstring(30, L'9')));
}

TEST(TextToIntDef, OnlyTextsStartingWithADigitConvert) {
  EXPECT_EQ(9, TextToIntDef(L"-1", 9));
  EXPECT_EQ(9, TextToIntDef(L" 5", 9));
  EXPECT_EQ(9, TextToIntDef(L"+5", 9));
  EXPECT_EQ(9, TextToIntDef(L"", 9));
  EXPECT_EQ(9, TextToIntDef(L"~current", 9));
  EXPECT_EQ(9, TextToIntDef(std::wstring(31, L'1'), 9));
  EXPECT_EQ(5, TextToIntDef(L"5x", 9));
  EXPECT_EQ(0, TextToIntDef(L"0", 9));
  EXPECT_EQ(-1294967296, TextToIntDef(L"3000000000", -1));
}

TEST(IntToText, PrintsLikePercentD) {
  EXPECT_EQ(L"0", IntToText(0));
  EXPECT_EQ(L"-1", IntToText(-1));
  EXPECT_EQ(L"42", IntToText(42));
  EXPECT_EQ(L"-2147483648", IntToText(-2147483647 - 1));
  EXPECT_EQ(L"2147483647", IntToText(2147483647));
}

TEST(WideToAnsi, ConvertsThroughTheSystemCodePage) {
  EXPECT_EQ("", WideToAnsi(L""));
  EXPECT_EQ("Home & Mail", WideToAnsi(L"Home & Mail"));
  // A character the code page cannot hold becomes its default character, one per character.
  std::string converted = WideToAnsi(L"a\x4E2D" L"b");
  ASSERT_EQ(3u, converted.size());
  EXPECT_EQ('a', converted[0]);
  EXPECT_EQ('b', converted[2]);
  EXPECT_EQ(L"Home & Mail", AnsiToWide("Home & Mail"));
}

}  // namespace
