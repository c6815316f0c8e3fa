// A section written at once ends byte for byte as the same key-by-key writes leave the file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>

#include <string>
#include <utility>
#include <vector>

#include "store/profile_section.h"
#include "store/profile_text.h"
#include "scheme_test_files.h"
#include "test_support.h"

using namespace scheme_tests;
using testing_support::ReadFileBytes;

namespace {

TEST(ProfileSectionTest, SectionWriteEqualsTheKeyByKeyWrites) {
  testing_support::ScratchFolder folder;
  const std::wstring by_key = folder.File(L"by_key.ini");
  const std::wstring by_section = folder.File(L"by_section.ini");
  const std::wstring text =
      L"[global]\r\nscheme=1\r\n[0]\r\nschemename=F\r\nCAPTION0=Old\r\nassign0=  spaced\r\n"
      L"vkey0=1\r\nextra=kept\r\n[1]\r\ncaption0=x\r\n";
  ASSERT_TRUE(WriteUtf16File(by_key, text));
  ASSERT_TRUE(WriteUtf16File(by_section, text));
  // A changed key written in another case, one removed by an empty value, one new.
  const std::vector<std::pair<std::wstring, std::wstring>> writes = {
      {L"caption0", L"New"}, {L"vkey0", L""}, {L"linkto0", L"c:\\a b.exe"}, {L"assign0", L"  spaced"}};
  std::vector<ProfileEntry> entries = ReadSectionEntries(L"0", by_section);
  for (const auto& write : writes) {
    WriteProfileText(L"0", write.first, write.second, by_key);
    SetSectionEntry(entries, write.first, write.second);
  }
  WriteSectionEntries(L"0", entries, by_section);
  EXPECT_EQ(ReadFileBytes(by_key), ReadFileBytes(by_section));
  EXPECT_EQ(L"New", ReadProfileText(L"0", L"caption0", L"", by_section));

  // A section the file does not hold yet is added as the key writes add it.
  WriteProfileText(L"7", L"caption0", L"Seven", by_key);
  entries = ReadSectionEntries(L"7", by_section);
  EXPECT_TRUE(entries.empty());
  SetSectionEntry(entries, L"caption0", L"Seven");
  WriteSectionEntries(L"7", entries, by_section);
  EXPECT_EQ(ReadFileBytes(by_key), ReadFileBytes(by_section));
}

// Reading a section once gives every key as the key-by-key read gives it.
TEST(ProfileSectionTest, SectionReadEqualsTheKeyByKeyReads) {
  testing_support::ScratchFolder folder;
  const std::wstring file = folder.File(L"read.ini");
  const std::wstring values[] = {L"plain", L"\"quoted\"", L"'single'", L"\"", L"\"\"", L"\"open",
                                 L"", L"  spaced  ", std::wstring(254, L'q'), std::wstring(300, L'q'),
                                 L"\"" + std::wstring(253, L'q') + L"\"", L"\"" + std::wstring(254, L'q') + L"\""};
  std::wstring text = L"[0]\r\n";
  for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i)
    text += L"Key" + std::to_wstring(i) + L"=" + values[i] + L"\r\n";
  text += L"novalue\r\n[1]\r\n";
  ASSERT_TRUE(WriteUtf16File(file, text));
  const std::vector<ProfileEntry> entries = ReadSectionEntries(L"0", file);
  for (size_t i = 0; i <= sizeof values / sizeof values[0]; ++i) {
    const std::wstring key = L"key" + std::to_wstring(i);
    EXPECT_EQ(ReadProfileText(L"0", key, L"dflt", file), SectionEntryText(entries, key, L"dflt")) << i;
  }
  EXPECT_EQ(ReadProfileText(L"0", L"novalue", L"dflt", file), SectionEntryText(entries, L"novalue", L"dflt"));
}

}  // namespace

namespace {

// Key names match as the platform's case-blind comparison matches them, plain ASCII names by the
// short way and every other name by the platform itself.
TEST(ProfileSectionTest, KeyNamesMatchAsThePlatformComparesThem) {
  const std::pair<const wchar_t*, const wchar_t*> pairs[] = {
      {L"caption0", L"CAPTION0"}, {L"caption0", L"caption1"}, {L"caption1", L"caption10"},
      {L"vkey9", L"VKey9"},       {L"linkto0", L"linkt00"},   {L"K\u00e4y", L"K\u00c4Y"},
      {L"a-b", L"A-B"},           {L"a\u00adb", L"ab"},       {L"", L""},
      {L"assign0", L""},          {L"Z", L"z"},               {L"[", L"{"}};
  for (const auto& pair : pairs) {
    EXPECT_EQ(lstrcmpiW(pair.first, pair.second) == 0, SameKeyName(pair.first, pair.second))
        << std::string(pair.first, pair.first + wcslen(pair.first)) << " / "
        << std::string(pair.second, pair.second + wcslen(pair.second));
  }
}

}  // namespace
