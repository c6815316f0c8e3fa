// A section read at once gives every key as the key-by-key read gives it, and the writes left out
// as changing nothing leave the file byte for byte as the platform's own writes of every key.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/ini_file.h"
#include "store/profile_section.h"
#include "store/profile_text.h"
#include "scheme_test_files.h"
#include "test_support.h"

using namespace scheme_tests;
using testing_support::ReadFileBytes;

namespace {

const FileEncoding kEncodings[] = {FileEncoding::kUtf16, FileEncoding::kAnsi};

std::vector<std::wstring> KeysToLookUp() {
  std::vector<std::wstring> keys = {L"schemename", L"my own key", L"caption10", L"scheme",
                                    L"NUMHKBTNS",  L"default",    L"a line without equals"};
  for (const wchar_t* field : {L"function", L"caption", L"assign", L"linkto", L"vkey"})
    for (int k = 0; k < 3; ++k) keys.push_back(field + std::to_wstring(k));
  return keys;
}

TEST(ProfileSectionTest, SectionReadFindsKeysAsTheKeyByKeyReadFindsThem) {
  testing_support::ScratchFolder folder;
  const std::wstring file = folder.File(L"user.ini");
  for (FileEncoding encoding : kEncodings) {
    ASSERT_TRUE(WriteSchemeFile(file, HandEditedSchemes(encoding), encoding));
    for (const wchar_t* section : {L"global", L"0", L"1", L"2", L"9"}) {
      const ProfileSection stored(section, file);
      for (const std::wstring& key : KeysToLookUp()) {
        EXPECT_EQ(ReadProfileText(section, key, L"~dflt", file), stored.Text(key, L"~dflt"))
            << section << " " << std::string(key.begin(), key.end());
        EXPECT_EQ(INICTL(file).ReadString(section, key, L"~dflt"), stored.IniString(key, L"~dflt"));
        EXPECT_EQ(INICTL(file).ReadInteger(section, key, -9), stored.IniInteger(key, -9));
      }
    }
  }

  // Quotes, lengths and numbers.
  const std::wstring values[] = {L"\"quoted\"", L"'single'", L"\"", L"\"\"", L"\"open", L"",
                                 std::wstring(254, L'q'), std::wstring(300, L'q'),
                                 L"\"" + std::wstring(253, L'q') + L"\"",
                                 L"\"" + std::wstring(254, L'q') + L"\"", std::wstring(1100, L'z'),
                                 L"0x1F", L"-5", L"+7", L"0b101", L"0o17", L"12ab", L"\"42\"",
                                 L"4294967295", L"99999999999", std::wstring(40, L'7'), L"-"};
  std::wstring text = L"[0]\r\n";
  for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i)
    text += L"Key" + std::to_wstring(i) + L"=" + values[i] + L"\r\n";
  ASSERT_TRUE(WriteUtf16File(file, text));
  const ProfileSection stored(L"0", file);
  for (size_t i = 0; i <= sizeof values / sizeof values[0]; ++i) {
    const std::wstring key = L"key" + std::to_wstring(i);
    EXPECT_EQ(ReadProfileText(L"0", key, L"dflt", file), stored.Text(key, L"dflt")) << i;
    EXPECT_EQ(INICTL(file).ReadString(L"0", key, L"dflt"), stored.IniString(key, L"dflt")) << i;
    EXPECT_EQ(INICTL(file).ReadInteger(L"0", key, 3), stored.IniInteger(key, 3)) << i;
  }
}

// Lines as another platform's section read returns them, blanks as written: reads, rewrites of
// the stored value and removals give what the platform's key-by-key calls give on the file.
TEST(ProfileSectionTest, HandFormattedLinesReadAsTheKeyByKeyCallsReadThem) {
  testing_support::ScratchFolder folder;
  const std::wstring file = folder.File(L"raw.ini");
  const std::vector<std::wstring> raw = {
      L" caption3 = Mail ", L"\tASSIGN3\t=\tmail.exe\t", L"linkto3 =a = b  ", L"   ",
      L"caption4 = \" Mail \" ", L"assign4=\v' quoted '\f", L"  vkey3\x1a= 27 ",
      L"function3\t=", L"  a bare name  ", L"linkto4\t \t"};
  std::wstring text = L"[0]\r\n";
  for (const std::wstring& line : raw) text += line + L"\r\n";
  const ProfileSection stored(L"0", file, raw);
  for (const wchar_t* key : {L"caption3", L"assign3", L"linkto3", L"caption4", L"assign4", L"vkey3",
                             L"function3", L"a bare name", L"linkto4", L"missing"}) {
    for (const std::wstring& value : {stored.Copied(key, L"", 1024), std::wstring()}) {
      ASSERT_TRUE(WriteUtf16File(file, text));
      const std::string as_written = ReadFileBytes(file);
      EXPECT_EQ(PlatformRead(file, L"0", key, L"~dflt"), stored.Text(key, L"~dflt")) << key;
      const bool unchanged = stored.WriteChangesNothing(key, value);
      PlatformWrite(file, L"0", key, value);
      EXPECT_EQ(as_written == ReadFileBytes(file), unchanged) << key << " " << value.size();
    }
  }
}

struct Write {
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* value;
};

// Writes through the writer on one copy and through the platform on the other are compared
// after each write; those that change nothing come first, while the hand edits still stand.
TEST(ProfileSectionTest, WritesLeftOutLeaveTheFileAsThePlatformWritesDo) {
  testing_support::ScratchFolder folder;
  const std::wstring mine = folder.File(L"mine.ini");
  const std::wstring platform = folder.File(L"platform.ini");
  const Write unchanging[] = {
      {L"1", L"assign0", L"ESC"},          {L"1", L"caption0", L"  Esc key"},
      {L"global", L"scheme", L"2"},        {L"global", L"numhkbtns", L"2"},
      {L"2", L"caption9", L""},            {L"1", L"caption9", L""},
      {L"0", L"linkto1", L"~linkto"},
  };
  const Write changing[] = {
      {L"1", L"linkto1", L""},             {L"0", L"caption0", L"Home"},
      {L"1", L"caption1", L"x"},           {L"1", L"caption0", L"Esc key "},
      {L"1", L"caption0", L"Esc key "},    {L"9", L"caption0", L"new"},
      {L"2", L"linkto0", L"two.exe"},      {L"1", L"function0", L"13"},
      {L"1", L"function1", L"0"},          {L"1", L"caption0", L""},
  };
  for (FileEncoding encoding : kEncodings) {
    ASSERT_TRUE(WriteSchemeFile(mine, HandEditedSchemes(encoding), encoding));
    ASSERT_TRUE(WriteSchemeFile(platform, HandEditedSchemes(encoding), encoding));
    const std::string hand_edited = ReadFileBytes(mine);
    ProfileWriter writer(mine);
    for (const Write& write : unchanging) {
      writer.Write(write.section, write.key, write.value);
      PlatformWrite(platform, write.section, write.key, write.value);
    }
    EXPECT_EQ(hand_edited, ReadFileBytes(platform));
    EXPECT_EQ(hand_edited, ReadFileBytes(mine));
    for (const Write& write : changing) {
      writer.Write(write.section, write.key, write.value);
      PlatformWrite(platform, write.section, write.key, write.value);
      EXPECT_EQ(ReadFileBytes(platform), ReadFileBytes(mine)) << write.section << " " << write.key;
    }
  }
}

// The file held by a handle without sharing while its section is read: the read gives nothing,
// and once the file is free again every key goes in key by key, keeping the rest of the section.
TEST(ProfileSectionTest, SectionReadThatGivesNothingWritesEveryKey) {
  testing_support::ScratchFolder folder;
  const std::wstring mine = folder.File(L"mine.ini");
  const std::wstring platform = folder.File(L"platform.ini");
  ASSERT_TRUE(WriteUtf16File(mine, HandEditedSchemes(FileEncoding::kUtf16)));
  ASSERT_TRUE(WriteUtf16File(platform, HandEditedSchemes(FileEncoding::kUtf16)));
  ProfileWriter writer(mine);
  HANDLE held = CreateFileW(mine.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  writer.ReadAhead(L"1");
  EXPECT_FALSE(ProfileSection(L"1", mine).Holds());
  CloseHandle(held);
  // The row of key 0 with an edited caption, the other values as stored.
  for (const wchar_t* key : {L"caption0", L"assign0", L"function0", L"vkey0", L"linkto0"}) {
    const std::wstring value =
        key == std::wstring(L"caption0") ? L"Edited" : PlatformRead(platform, L"1", key, L"0");
    writer.Write(L"1", key, value);
    PlatformWrite(platform, L"1", key, value);
  }
  EXPECT_EQ(ReadFileBytes(platform), ReadFileBytes(mine));
  EXPECT_EQ(L"Edited", PlatformRead(mine, L"1", L"caption0", L""));
  EXPECT_EQ(L"Mine", PlatformRead(mine, L"1", L"schemename", L""));
  EXPECT_EQ(L"kept", PlatformRead(mine, L"1", L"my own key", L""));
  EXPECT_EQ(L"ten", PlatformRead(mine, L"1", L"caption10", L""));
}

}  // namespace
