// The scheme list of a real main window: filling, selection, the four scheme buttons, and the
// load and save operations that go through it.
#include <gtest/gtest.h>

#include "form/application.h"
#include "main_window/main_window.h"
#include "store/profile_text.h"
#include "store/program_texts.h"
#include "main_window/scheme_list.h"
#include "test_support.h"
#include "variant.h"

using namespace testing_support;

namespace {

class SchemeListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UserSchemeFile = file_;
  }

  void Write(const std::string& text) { ASSERT_TRUE(WriteTextFile(file_, text)); }
  bool SchemeButtonsEnabled(bool expected) {
    return window_.BitBtn2->Enabled() == expected && window_.BitBtn3->Enabled() == expected &&
           window_.BitBtn4->Enabled() == expected && window_.BitBtn5->Enabled() == expected;
  }

  ScratchFolder folder_;
  std::wstring file_ = folder_.File(L"user.ini");
  form::Application app_;
  Tzokcfg_0 window_{app_};
};

// Section 3 has no name.
const char kFourSchemes[] =
    "[global]\r\nscheme=3\r\ncurrent=7\r\nnumbutton=2\r\n"
    "[0]\r\nschemename=Factory\r\ncaption0=Home\r\n[1]\r\nschemename=One\r\n"
    "[2]\r\nschemename=Two\r\ncaption1=Mail\r\nfunction1=4\r\n[3]\r\ncaption0=x\r\n";

TEST_F(SchemeListTest, FillSelectsUserSchemesAndEnablesTheirButtons) {
  Write(kFourSchemes);
  IniData.scheme = 3;
  CurScheme.keys[9].assign = L"from the working set";
  ASSERT_EQ(0, FillSchemeList(window_, L"2"));
  form::ComboBox& list = *window_.ComboBox1;
  ASSERT_EQ(4, list.Count());
  EXPECT_EQ(L"Factory", list.Item(0));
  EXPECT_EQ(L"Two", list.Item(2));
  EXPECT_EQ(L"~schemename", list.Item(3));
  EXPECT_EQ(2, list.ItemIndex());
  EXPECT_TRUE(SchemeButtonsEnabled(true));
  EXPECT_EQ(L"from the working set", window_.Label20->Text());

  for (const wchar_t* section : {L"0", L"9", L"-1", L"abc"}) {
    window_.BitBtn2->SetEnabled(true);
    ASSERT_EQ(0, FillSchemeList(window_, section));
    EXPECT_EQ(4, list.Count()) << section;
    EXPECT_EQ(0, list.ItemIndex()) << section;
    EXPECT_TRUE(SchemeButtonsEnabled(false)) << section;
  }

  // No scheme: an empty list with nothing selected.
  IniData.scheme = -2;
  ASSERT_EQ(0, FillSchemeList(window_, L"1"));
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ(-1, list.ItemIndex());
}

TEST_F(SchemeListTest, LoadTakesTheListSelectionAsCurrent) {
  Write(kFourSchemes);
  ASSERT_EQ(0, LoadScheme(window_, file_, L"2", IniData));
  EXPECT_EQ(2, IniData.current);
  EXPECT_EQ(L"Two", IniData.schemedata.schemename);
  EXPECT_EQ(L"Mail", IniData.schemedata.keys[1].caption);
  EXPECT_EQ(4, IniData.schemedata.keys[1].function);
  EXPECT_EQ(L"Mail", CurScheme.keys[1].caption);

  // A section beyond the list: sentinels, the factory scheme selected, current 0.
  ASSERT_EQ(0, LoadScheme(window_, file_, L"7", IniData));
  EXPECT_EQ(0, IniData.current);
  EXPECT_EQ(0, window_.ComboBox1->ItemIndex());
  EXPECT_EQ(L"~schemename", CurScheme.schemename);
  EXPECT_EQ(L"~caption", IniData.schemedata.keys[1].caption);
  EXPECT_EQ(0, IniData.schemedata.keys[1].function);
  EXPECT_TRUE(SchemeButtonsEnabled(false));

  // "scheme" -2 loads on with an empty list: current becomes -1.
  Write("[global]\r\nscheme=-2\r\nnumbutton=1\r\n");
  ASSERT_EQ(0, LoadScheme(window_, file_, L"0", IniData));
  EXPECT_EQ(-1, IniData.current);
  EXPECT_EQ(0, window_.ComboBox1->Count());

  // No file: -1, and the list is left as it was.
  Write(kFourSchemes);
  ASSERT_EQ(0, LoadScheme(window_, file_, L"1", IniData));
  DeleteFileW(file_.c_str());
  IniData.schemedata.schemename = L"kept";
  EXPECT_EQ(-1, LoadScheme(window_, file_, L"1", IniData));
  EXPECT_EQ(-1, IniData.scheme);
  EXPECT_EQ(4, window_.ComboBox1->Count());
  EXPECT_EQ(L"kept", IniData.schemedata.schemename);
}

TEST_F(SchemeListTest, SaveStoresTheListSelection) {
  Write(kFourSchemes);
  ASSERT_EQ(0, LoadScheme(window_, file_, L"1", IniData));
  window_.ComboBox1->SetItemIndex(3);
  ASSERT_EQ(0, SaveCurrentSchemeIndex(window_, file_));
  EXPECT_EQ(3, IniData.current);
  EXPECT_EQ(L"3", ReadProfileText(L"global", L"current", L"", file_));

  Write("[global]\r\nscheme=3000000000\r\ncurrent=1\r\n");
  window_.ComboBox1->SetItemIndex(2);
  EXPECT_EQ(variant::kIsYev ? 0 : -1, SaveCurrentSchemeIndex(window_, file_));
  EXPECT_EQ(variant::kIsYev ? L"2" : L"1", ReadProfileText(L"global", L"current", L"", file_));

  Write("[global]\r\nscheme=-1\r\ncurrent=1\r\n");
  EXPECT_EQ(-1, SaveCurrentSchemeIndex(window_, file_));
  EXPECT_EQ(L"1", ReadProfileText(L"global", L"current", L"", file_));
}

}  // namespace
