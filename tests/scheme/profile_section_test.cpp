// A section written at once ends byte for byte as the same key-by-key writes leave the file.
#include <gtest/gtest.h>

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

}  // namespace
