// The scheme file operations against real files through the private-profile functions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "store/ini_file.h"
#include "store/profile_text.h"
#include "store/scheme_file.h"
#include "store/scheme_records.h"
#include "scheme_test_files.h"
#include "test_support.h"
#include "variant.h"

using namespace testing_support;
using namespace scheme_tests;

namespace {

class SchemeStoreTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  std::wstring file_ = folder_.File(L"user.ini");

  void Write(const std::string& text) { ASSERT_TRUE(WriteTextFile(file_, text)); }
  std::wstring Read(const std::wstring& section, const std::wstring& key) {
    return ReadProfileText(section, key, L"<missing>", file_);
  }
};

ini_data RecordWithKeys(int32_t scheme, int32_t numbutton) {
  ini_data record;
  record.scheme = scheme;
  record.numbutton = numbutton;
  record.current = 1;
  record.default_ = 2;
  record.numhkbtns = 3;
  record.numnumpad = 4;
  for (int i = 0; i < kKeyRecords; ++i)
    SetButtonRecord(record.schemedata.keys[i], 4, i, L"cap" + std::to_wstring(i),
                    L"as" + std::to_wstring(i), L"C:\\l" + std::to_wstring(i) + L".exe");
  return record;
}

TEST_F(SchemeStoreTest, MissingFileHasNoScheme) {
  ini_data record = RecordWithKeys(5, 5);
  scheme_data working;
  working.schemename = L"kept";
  EXPECT_EQ(-1, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(-1, record.scheme);
  EXPECT_EQ(0, record.numbutton);
  EXPECT_EQ(0, record.default_);
  EXPECT_EQ(0, record.current);
  EXPECT_EQ(0, record.numhkbtns);
  EXPECT_EQ(0, record.numnumpad);
  EXPECT_EQ(L"kept", working.schemename);
  EXPECT_EQ(-1, ReadCurrentSchemeIndex(file_));
  EXPECT_EQ(-1, SaveSchemeIndexAt(file_, 0, record));
  EXPECT_EQ(-1, WriteSchemeSection(file_, L"0", record));
  EXPECT_FALSE(FileExists(file_));
}

// "abc" reads as 0 for the loader but as no scheme for save, current and write; "-2" goes on
// in the loader with an empty list.
TEST_F(SchemeStoreTest, NonNumericAndNegativeSchemeCount) {
  Write("[global]\r\nscheme=abc\r\ncurrent=0\r\nnumbutton=2\r\n[0]\r\nschemename=Factory\r\n"
        "caption0=Home\r\n");
  const std::string before = ReadFileBytes(file_);
  ini_data record;
  scheme_data working;
  EXPECT_EQ(0, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(0, record.scheme);
  EXPECT_EQ(L"Factory", working.schemename);
  EXPECT_EQ(L"Home", working.keys[0].caption);
  EXPECT_EQ(-1, ReadCurrentSchemeIndex(file_));
  EXPECT_EQ(-1, SaveSchemeIndexAt(file_, 0, record));
  EXPECT_EQ(-1, WriteSchemeSection(file_, L"0", record));
  EXPECT_EQ(before, ReadFileBytes(file_));

  Write("[global]\r\nscheme=-2\r\nnumbutton=1\r\n[0]\r\nschemename=Factory\r\n");
  EXPECT_EQ(0, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(-2, record.scheme);
  EXPECT_TRUE(ReadSchemeNames(file_, record.scheme).empty());
  EXPECT_EQ(-1, ChooseSchemeListSelection(L"0", 0).selected);
  EXPECT_EQ(-1, ReadCurrentSchemeIndex(file_));
  EXPECT_EQ(-1, SaveSchemeIndexAt(file_, 0, record));
}

// Three thousand million wraps to a negative number other than -1: only YEV saves then.
TEST_F(SchemeStoreTest, WrappedSchemeCountSplitsTheVariants) {
  Write("[global]\r\nscheme=3000000000\r\ncurrent=0\r\n");
  ini_data record;
  record.current = 9;
  int result = SaveSchemeIndexAt(file_, 2, record);
  if (variant::kIsYev) {
    EXPECT_EQ(0, result);
    EXPECT_EQ(2, record.current);
    EXPECT_EQ(L"2", Read(L"global", L"current"));
  } else {
    EXPECT_EQ(-1, result);
    EXPECT_EQ(9, record.current);
    EXPECT_EQ(L"0", Read(L"global", L"current"));
  }
  EXPECT_EQ(-1, ReadCurrentSchemeIndex(file_));
}

TEST_F(SchemeStoreTest, KeyCountBeyondTenAndZero) {
  std::string text = "[global]\r\nscheme=0\r\nnumbutton=12\r\n[0]\r\nschemename=Big\r\n";
  for (int i = 0; i < 12; ++i)
    text += "caption" + std::to_string(i) + "=c" + std::to_string(i) + "\r\nfunction" +
            std::to_string(i) + "=" + std::to_string(i + 1) + "\r\n";
  Write(text);
  ini_data record;
  scheme_data working;
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(12, record.numbutton);
  EXPECT_EQ(L"c9", working.keys[9].caption);
  EXPECT_EQ(10, working.keys[9].function);

  // Writing back keeps keys 10 and 11 of the file as they were and writes the stored count.
  record = RecordWithKeys(0, 12);
  ASSERT_EQ(0, WriteSchemeSection(file_, L"0", record));
  EXPECT_EQ(L"cap9", Read(L"0", L"caption9"));
  EXPECT_EQ(L"c10", Read(L"0", L"caption10"));
  EXPECT_EQ(L"<missing>", Read(L"0", L"assign10"));
  EXPECT_EQ(L"12", Read(L"global", L"numbutton"));

  // No key at all with numbutton 0: the working set keeps its keys.
  Write("[global]\r\nscheme=0\r\nnumbutton=0\r\n[0]\r\ncaption0=new\r\n");
  working.keys[0].caption = L"old";
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(L"old", working.keys[0].caption);
  record = RecordWithKeys(0, -3);
  ASSERT_EQ(0, WriteSchemeSection(file_, L"0", record));
  EXPECT_EQ(L"new", Read(L"0", L"caption0"));
  EXPECT_EQ(L"<missing>", Read(L"0", L"function0"));
}

// "current" beyond "scheme" is returned unchanged; its section yields the sentinels, and the
// list falls back to the factory scheme.
TEST_F(SchemeStoreTest, CurrentBeyondTheLastScheme) {
  Write("[global]\r\nscheme=3\r\ncurrent=7\r\nnumbutton=2\r\n[0]\r\nschemename=F\r\n"
        "[1]\r\nschemename=One\r\n[2]\r\nschemename=Two\r\n");
  EXPECT_EQ(7, ReadCurrentSchemeIndex(file_));
  ini_data record;
  scheme_data working;
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"7", record, working));
  EXPECT_EQ(L"~schemename", working.schemename);
  EXPECT_EQ(L"~caption", working.keys[1].caption);
  EXPECT_EQ(L"~assign", working.keys[1].assign);
  EXPECT_EQ(L"~linkto", working.keys[1].linkto);
  EXPECT_EQ(0, working.keys[1].function);
  // The list ends at the last section the file holds.
  std::vector<std::wstring> names = ReadSchemeNames(file_, record.scheme);
  ASSERT_EQ(3u, names.size());
  EXPECT_EQ(L"Two", names[2]);
  SchemeListChoice choice = ChooseSchemeListSelection(L"7", names.size());
  EXPECT_EQ(0, choice.selected);
  EXPECT_FALSE(choice.user_scheme);

  EXPECT_TRUE(ChooseSchemeListSelection(L"2", 4).user_scheme);
  EXPECT_EQ(2, ChooseSchemeListSelection(L"2", 4).selected);
  for (const wchar_t* section : {L"0", L"9", L"-1", L"abc", L"4"}) {
    EXPECT_EQ(0, ChooseSchemeListSelection(section, 4).selected) << section;
    EXPECT_FALSE(ChooseSchemeListSelection(section, 4).user_scheme) << section;
  }

  // Missing or non-numeric "current" gives 0.
  Write("[global]\r\nscheme=3\r\ncurrent=-4\r\n");
  EXPECT_EQ(0, ReadCurrentSchemeIndex(file_));
  Write("[global]\r\nscheme=3\r\n");
  EXPECT_EQ(0, ReadCurrentSchemeIndex(file_));
}

// The two readers cut at different lengths and treat empty values differently.
TEST_F(SchemeStoreTest, LongAndEmptyValuesThroughBothReaders) {
  const std::string caption(300, 'x');
  Write("[global]\r\nscheme=0\r\nnumbutton=2\r\n[0]\r\ncaption0=" + caption +
        "y\r\nassign0=\r\n");
  ini_data record;
  scheme_data working;
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(std::wstring(254, L'x'), working.keys[0].caption);
  EXPECT_EQ(L"", working.keys[0].assign);
  EXPECT_EQ(L"~linkto", working.keys[0].linkto);

  INICTL ini(file_);
  EXPECT_EQ(std::wstring(300, L'x') + L"y", ini.ReadString(L"0", L"caption0", L"d"));
  EXPECT_EQ(L"d", ini.ReadString(L"0", L"assign0", L"d"));
  EXPECT_EQ(L"d", ini.ReadString(L"0", L"linkto0", L"d"));
  EXPECT_EQ(L"", ReadProfileText(L"0", L"assign0", L"d", file_));

  Write("[0]\r\nlong=" + std::string(1100, 'z') + "\r\n");
  EXPECT_EQ(std::wstring(1023, L'z'), ini.ReadString(L"0", L"long", L""));
  // The default is cut like a value.
  EXPECT_EQ(std::wstring(254, L'd'), ReadProfileText(L"0", L"none", std::wstring(400, L'd'), file_));
}

TEST_F(SchemeStoreTest, WritingAnEmptyCaptionRemovesItsKey) {
  Write("[global]\r\nscheme=1\r\nnumbutton=3\r\n[1]\r\ncaption1=old\r\nschemename=One\r\n");
  ini_data record = RecordWithKeys(1, 3);
  record.schemedata.keys[1].caption.clear();
  ASSERT_EQ(0, WriteSchemeSection(file_, L"1", record));
  EXPECT_EQ(L"<missing>", Read(L"1", L"caption1"));
  EXPECT_EQ(L"One", Read(L"1", L"schemename"));
  scheme_data working;
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"1", record, working));
  EXPECT_EQ(L"~caption", working.keys[1].caption);
  EXPECT_EQ(L"cap0", working.keys[0].caption);
  EXPECT_EQ(1, working.keys[1].vkey);
}

TEST_F(SchemeStoreTest, IniAccessor) {
  Write("[1]\r\na=1\r\nb=text\r\n[2]\r\nc=3\r\n");
  INICTL ini(file_);
  EXPECT_EQ(file_, ini.FileName());
  EXPECT_EQ(1, ini.ReadInteger(L"1", L"a", 7));
  EXPECT_EQ(7, ini.ReadInteger(L"1", L"missing", 7));
  EXPECT_NE(0, ini.WriteInteger(L"1", L"n", -42));
  EXPECT_EQ(L"-42", ini.ReadString(L"1", L"n", L""));
  EXPECT_EQ(-42, ini.ReadInteger(L"1", L"n", 0));
  EXPECT_NE(0, ini.EraseSection(L"1"));
  EXPECT_EQ(L"gone", ini.ReadString(L"1", L"b", L"gone"));
  EXPECT_EQ(9, ini.ReadInteger(L"1", L"a", 9));
  EXPECT_EQ(3, ini.ReadInteger(L"2", L"c", 0));

  EXPECT_EQ(L"c:\\kvzok", INICTL(L"").FileName());
  EXPECT_EQ(L"c:\\kvzok", INICTL(std::wstring(1025, L'a')).FileName());
  EXPECT_EQ(std::wstring(1024, L'a'), INICTL(std::wstring(1024, L'a')).FileName());
}

// One scheme written into a new file gives exactly this text: the order of the writes decides
// the order of the keys.
TEST_F(SchemeStoreTest, WrittenFileByteForByte) {
  Write("[global]\r\nscheme=0\r\n");
  ini_data record = RecordWithKeys(0, 2);
  record.current = 0;
  record.schemedata.keys[1].assign.clear();
  ASSERT_EQ(0, WriteGlobalSection(file_, record));
  ASSERT_EQ(0, WriteSchemeSection(file_, L"0", record));
  WriteProfileText(L"0", L"schemename", L"Mine", file_);
  EXPECT_EQ(
      "[global]\r\nscheme=0\r\ncurrent=0\r\nnumbutton=2\r\ndefault=2\r\nnumhkbtns=3\r\n"
      "numnumpad=4\r\n[0]\r\nfunction0=4\r\ncaption0=cap0\r\nassign0=as0\r\n"
      "linkto0=C:\\l0.exe\r\nvkey0=0\r\nfunction1=4\r\ncaption1=cap1\r\nlinkto1=C:\\l1.exe\r\n"
      "vkey1=1\r\nschemename=Mine\r\n",
      ReadFileBytes(file_));
}

// A UTF-16 file stays UTF-16, and captions outside the code page survive a write and a read.
TEST_F(SchemeStoreTest, Utf16FileKeepsItsEncodingAndScripts) {
  ASSERT_TRUE(CopyFileW(InstalledFile(L"obj0409.bcm").c_str(), file_.c_str(), FALSE));
  ini_data record;
  scheme_data working;
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(10, record.numbutton);
  EXPECT_EQ(L"\x20AC", working.keys[9].assign);

  const std::wstring cyrillic = L"\x041F\x043E\x0447\x0442\x0430";
  const std::wstring japanese = L"\x30E1\x30FC\x30EB";
  record.scheme = 1;
  CopySchemeRecord(record.schemedata, working);
  record.schemedata.keys[0].caption = cyrillic;
  record.schemedata.keys[1].caption = japanese;
  ASSERT_EQ(0, WriteSchemeSection(file_, L"1", record));
  WriteProfileText(L"1", L"schemename", japanese + cyrillic, file_);

  const std::string bytes = ReadFileBytes(file_);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2));
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"1", record, working));
  EXPECT_EQ(1, record.scheme);
  EXPECT_EQ(cyrillic, working.keys[0].caption);
  EXPECT_EQ(japanese, working.keys[1].caption);
  EXPECT_EQ(japanese + cyrillic, working.schemename);
  EXPECT_EQ(cyrillic, INICTL(file_).ReadString(L"1", L"caption0", L""));
}

TEST_F(SchemeStoreTest, GarbageFilesLoadByTheRules) {
  // Random bytes: no scheme.
  std::string noise(64 * 1024, '\0');
  srand(7);
  for (char& c : noise) c = static_cast<char>(rand() & 0xFF);
  Write(noise);
  ini_data record;
  scheme_data working;
  EXPECT_EQ(-1, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(-1, ReadCurrentSchemeIndex(file_));

  // One megabyte of one value: cut at the reader's length.
  Write("[global]\r\nscheme=0\r\nnumbutton=1\r\n[0]\r\ncaption0=" + std::string(1 << 20, 'q') +
        "\r\n");
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"0", record, working));
  EXPECT_EQ(std::wstring(254, L'q'), working.keys[0].caption);

  // Five thousand sections: every name is listed.
  std::string many = "[global]\r\nscheme=4999\r\nnumbutton=1\r\n";
  for (int i = 0; i < 5000; ++i)
    many += "[" + std::to_string(i) + "]\r\nschemename=s" + std::to_string(i) + "\r\n";
  Write(many);
  ASSERT_EQ(0, ReadSchemeIntoRecords(file_, L"4998", record, working));
  EXPECT_EQ(L"s4998", working.schemename);
  std::vector<std::wstring> names = ReadSchemeNames(file_, record.scheme);
  ASSERT_EQ(5000u, names.size());
  EXPECT_EQ(L"s4999", names.back());

  // A huge "scheme" never makes a loop visit more sections than the file holds.
  EXPECT_EQ(5000u, ReadSchemeNames(file_, 2147483647).size());
}

// Loops end at the highest numbered scheme section the file holds, at most "scheme": a file of
// more than ten thousand schemes is not cut, names that are no section number do not count,
// and sections missing below the highest one are visited.
TEST_F(SchemeStoreTest, SchemeLoopsEndAtTheHighestSectionHeld) {
  std::string text = "[global]\r\nscheme=10000\r\n[01]\r\n[-5]\r\n[99999999999]\r\n[ 7x]\r\n";
  for (int i = 0; i <= 10000; ++i) text += "[" + std::to_string(i) + "]\r\n";
  Write(text);
  EXPECT_EQ(10000, HighestSchemeSection(file_));
  EXPECT_EQ(10000, LastListedScheme(file_, 10000));
  EXPECT_EQ(10000, LastListedScheme(file_, 2147483647));
  EXPECT_EQ(3, LastListedScheme(file_, 3));
  EXPECT_EQ(-1, LastListedScheme(file_, -2));

  Write("[global]\r\nscheme=3\r\n[0]\r\n[ 2 ]\r\n[3x]\r\n[0002]\r\n");
  EXPECT_EQ(2, LastListedScheme(file_, 3));
  EXPECT_EQ(3u, ReadSchemeNames(file_, 3).size());
  Write("[global]\r\nscheme=3\r\n");
  EXPECT_EQ(-1, LastListedScheme(file_, 3));
}

}  // namespace
