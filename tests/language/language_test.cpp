// Language code and font choice, language-file lookups and the main window's captions.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "form/application.h"
#include "main_window/language_captions.h"
#include "main_window/language_select.h"
#include "system/language_table.h"
#include "system/language_texts.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "test_support.h"
#include "store/text_conversions.h"
#include "variant.h"

using namespace testing_support;

namespace {

// The identifiers of each code, as the product's language list gives them.
const std::map<std::wstring, std::vector<uint16_t>> kIdentifiersByCode = {
    {L"0401", {0x0401, 0x0801, 0x0C01, 0x1001, 0x1401, 0x1801, 0x1C01, 0x2001, 0x2401, 0x2801,
               0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001}},
    {L"0404", {0x0404, 0x0C04, 0x1004, 0x1404}},
    {L"0804", {0x0804}},
    {L"0405", {0x0405}},
    {L"0406", {0x0406}},
    {L"0407", {0x0407, 0x0807, 0x0C07, 0x1007, 0x1407}},
    {L"0408", {0x0408}},
    {L"040a", {0x040A, 0x0C0A, 0x100A, 0x140A, 0x180A, 0x1C0A, 0x200A, 0x240A, 0x280A, 0x2C0A,
               0x300A, 0x340A, 0x380A, 0x3C0A, 0x400A, 0x440A, 0x480A, 0x4C0A, 0x500A}},
    {L"080a", {0x080A}},
    {L"040b", {0x040B}},
    {L"040c", {0x040C, 0x080C, 0x0C0C, 0x100C, 0x140C, 0x180C}},
    {L"040d", {0x040D}},
    {L"040e", {0x040E}},
    {L"0410", {0x0410, 0x0810}},
    {L"0411", {0x0411}},
    {L"0412", {0x0412}},
    {L"0413", {0x0413, 0x0813}},
    {L"0414", {0x0414, 0x0814}},
    {L"0415", {0x0415}},
    {L"0416", {0x0416}},
    {L"0816", {0x0816}},
    {L"0419", {0x0419}},
    {L"041d", {0x041D, 0x081D}},
    {L"041e", {0x041E}},
    {L"041f", {0x041F}},
};

TEST(LanguageTable, EveryIdentifierAndNothingElse) {
  size_t mapped = 0;
  for (const auto& entry : kIdentifiersByCode) {
    for (uint16_t id : entry.second) EXPECT_EQ(entry.first, LanguageCodeFor(id)) << std::hex << id;
    mapped += entry.second.size();
  }
  EXPECT_EQ(74u, mapped);
  EXPECT_EQ(25u, kIdentifiersByCode.size());
  // Every identifier outside the list gives "0409".
  int others = 0;
  for (uint32_t id = 0; id <= 0xFFFF; ++id)
    if (LanguageCodeFor(static_cast<uint16_t>(id)) != L"0409") ++others;
  EXPECT_EQ(74, others);
  EXPECT_EQ(74, LanguageCodeTableSize());
  for (uint16_t id : {0x0409, 0x0809, 0x0000, 0x0C1A, 0x0422, 0xFFFF})
    EXPECT_EQ(L"0409", LanguageCodeFor(id)) << std::hex << id;
}

TEST(LanguageTable, FontRows) {
  const LanguageFontRow* big5 = LanguageFontFor(L"0404");
  ASSERT_NE(nullptr, big5);
  EXPECT_EQ(std::string("\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9"), big5->face_name);
  EXPECT_EQ(136, big5->charset);
  EXPECT_EQ(10, big5->size_points);
  const LanguageFontRow* gb = LanguageFontFor(L"0804");
  ASSERT_NE(nullptr, gb);
  EXPECT_STREQ("SimSun-18030", gb->face_name);
  EXPECT_EQ(134, gb->charset);
  EXPECT_EQ(9, gb->size_points);
  ASSERT_NE(nullptr, LanguageFontFor(L"0411"));
  EXPECT_STREQ("MS PGothic", LanguageFontFor(L"0411")->face_name);
  EXPECT_EQ(128, LanguageFontFor(L"0411")->charset);
  ASSERT_NE(nullptr, LanguageFontFor(L"0412"));
  EXPECT_STREQ("Dotum", LanguageFontFor(L"0412")->face_name);
  EXPECT_EQ(129, LanguageFontFor(L"0412")->charset);
  for (const wchar_t* code : {L"0409", L"0401", L"080a", L"0419"})
    EXPECT_EQ(nullptr, LanguageFontFor(code)) << code;
}

class LanguageFileTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  void Write(const std::wstring& name, const std::string& text) {
    ASSERT_TRUE(WriteTextFile(folder_.File(name), text));
  }
};

TEST_F(LanguageFileTest, LookupsOfBothSections) {
  Write(L"obj0409.set",
        "[MSG]\r\nMsg24=No bars here\r\nmsg20=\r\nmsg4=  \"Quoted title\"  \r\n"
        "[objects]\r\nBitBtn6_caption=\r\nbitbtn7_CAPTION=Cancel\r\nLong=" +
            std::string(3000, 'L') + "\r\nHalf=\"open\r\n[other]\r\nkey=value\r\n");
  const LanguageIni ini(WideToAnsi(folder_.File(L"obj0409.set")));
  EXPECT_EQ(L"No bars here", GetLanguageText(ini, "msg", "0", 24));
  EXPECT_EQ(L"msg20", GetLanguageText(ini, "msg", "0", 20));  // empty value
  EXPECT_EQ(L"msg16", GetLanguageText(ini, "msg", "0", 16));  // missing
  EXPECT_EQ(L"Quoted title", GetLanguageText(ini, "msg", "0", 4));
  EXPECT_EQ(L"BitBtn6_caption", GetLanguageText(ini, "objects", "BitBtn6_caption", -1));
  EXPECT_EQ(L"Cancel", GetLanguageText(ini, "objects", "BitBtn7_caption", -1));
  EXPECT_EQ(L"BitBtn8_caption", GetLanguageText(ini, "objects", "BitBtn8_caption", -1));
  EXPECT_EQ(std::wstring(2047, L'L'), GetLanguageText(ini, "objects", "Long", -1));
  EXPECT_EQ(L"\"open", GetLanguageText(ini, "objects", "Half", -1));
  EXPECT_EQ(L"", GetLanguageText(ini, "other", "key", -1));
  // No file at all: every lookup yields its key.
  const LanguageIni none(WideToAnsi(folder_.File(L"missing.set")));
  EXPECT_EQ(L"msg1", GetLanguageText(none, "msg", "0", 1));
  EXPECT_EQ(L"zokcfg_0_caption", GetLanguageText(none, "objects", "zokcfg_0_caption", -1));
}

TEST(CheckBoxFontSize, LeadingNumberOrEight) {
  EXPECT_EQ(12, CheckBoxFontSize(L"12"));
  EXPECT_EQ(12, CheckBoxFontSize(L"12pt"));
  EXPECT_EQ(8, CheckBoxFontSize(L""));
  EXPECT_EQ(8, CheckBoxFontSize(L"pt12"));
  EXPECT_EQ(8, CheckBoxFontSize(L"-3"));
  EXPECT_EQ(8, CheckBoxFontSize(L"CheckBox1_font_size"));
}

// A real main window: fonts, paths and captions as start-up sets them.
class LanguageWindowTest : public LanguageFileTest {
 protected:
  void SetUp() override {
    InstallFolder = folder_.path();
    saved_font_ = LangFont;
  }
  void TearDown() override {
    LangFont = saved_font_;
    delete LangIni;
    LangIni = nullptr;
  }
  std::string LangIniPath() const { return LangIni ? LangIni->Path() : "<none>"; }

  form::Application app_;
  Tzokcfg_0 window_{app_};
  form::Font saved_font_;
};

TEST_F(LanguageWindowTest, EastAsianLanguagesGetTheirFontEverywhereItBelongs) {
  const std::wstring radio_font = window_.RadioButton1->Font().Name();
  const std::wstring label_font_before = window_.Label1->Font().Name();
  SelectLanguageFor(window_, 0x1004);
  EXPECT_EQ(L"\x65B0\x7D30\x660E\x9AD4", LangFont.Name());
  EXPECT_EQ(136, LangFont.Charset());
  EXPECT_EQ(10, LangFont.Size());
  for (form::Control* control :
       std::vector<form::Control*>{window_.Label_Logo1, window_.ComboBox1, window_.GroupBox3,
                                   window_.Label1, window_.Label20, window_.CheckBox1,
                                   window_.BitBtn9, window_.TntListBox5}) {
    EXPECT_EQ(LangFont.Name(), control->Font().Name()) << control->Name();
    EXPECT_EQ(136, control->Font().Charset()) << control->Name();
  }
  EXPECT_EQ(radio_font, window_.RadioButton1->Font().Name());
  EXPECT_NE(LangFont.Name(), window_.ActIndex->Font().Name());
  EXPECT_NE(LangFont.Name(), window_.TntLabel1->Font().Name());
  EXPECT_EQ(LangFont.Name(), app_.HintFont().Name());
  EXPECT_EQ(136, app_.HintFont().Charset());
  EXPECT_NE(label_font_before, window_.Label1->Font().Name());

  // Japanese without its own language file: the font all the same, texts from obj0409.set,
  // the default scheme file under its own code.
  Write(L"obj0409.set", "[objects]\r\nBitBtn6_caption=OK\r\n");
  SelectLanguageFor(window_, 0x0411);
  EXPECT_EQ(L"MS PGothic", LangFont.Name());
  EXPECT_EQ(128, LangFont.Charset());
  EXPECT_EQ(9, LangFont.Size());
  EXPECT_EQ(WideToAnsi(folder_.File(L"obj0409.set")), LangIniPath());
  EXPECT_EQ(folder_.File(L"obj0411.bcm"), DefaultSchemeFile);
  EXPECT_EQ(L"OK", LanguageCaptionText("BitBtn6_caption"));

  // Its own file when there is one.
  Write(L"obj0411.set", "[objects]\r\nBitBtn6_caption=Yes\r\n");
  SelectLanguageFor(window_, 0x0411);
  EXPECT_EQ(WideToAnsi(folder_.File(L"obj0411.set")), LangIniPath());
  EXPECT_EQ(L"Yes", LanguageCaptionText("BitBtn6_caption"));
}

TEST_F(LanguageWindowTest, OtherLanguagesKeepEveryFont) {
  const form::Font before = LangFont;
  const std::wstring label_font = window_.Label1->Font().Name();
  const std::wstring hint_font = app_.HintFont().Name();
  SelectLanguageFor(window_, 0x080A);
  EXPECT_EQ(before.Name(), LangFont.Name());
  EXPECT_EQ(before.Height(), LangFont.Height());
  EXPECT_EQ(label_font, window_.Label1->Font().Name());
  EXPECT_EQ(hint_font, app_.HintFont().Name());
  // No language file in the folder: the fallback path, untested.
  EXPECT_EQ(WideToAnsi(folder_.File(L"obj0409.set")), LangIniPath());
  EXPECT_EQ(folder_.File(L"obj080a.bcm"), DefaultSchemeFile);
  EXPECT_EQ(L"zokcfg_0_caption", LanguageCaptionText("zokcfg_0_caption"));
}

// The default font by code page and resolution (an English interface keeps it: it has no
// language font).
TEST(DefaultFont, ByCodePageAndResolution) {
  const form::DefaultFontAttributes western = form::DefaultFontFor(1252, 120);
  EXPECT_EQ(L"MS Sans Serif", western.face);
  EXPECT_EQ(-13, western.height);  // 8 points
  EXPECT_EQ(DEFAULT_CHARSET, western.charset);
  const form::DefaultFontAttributes japanese = form::DefaultFontFor(932, 120);
  EXPECT_EQ(L"MS PGothic", japanese.face);
  EXPECT_EQ(-15, japanese.height);  // 9 points
  EXPECT_EQ(SHIFTJIS_CHARSET, japanese.charset);
}

TEST_F(LanguageWindowTest, CaptionsOfTheMainWindow) {
  Write(L"obj0409.set",
        "[objects]\r\nzokcfg_0_caption=Keys & themes\r\nBitBtn4_caption=Functions\r\n"
        "BitBtn6_caption=Apply\r\nCheckBox1_caption=Tray\r\nCheckBox1_font_size=12pt\r\n"
        "GroupBox3_caption=\r\nLabel_Logo2_caption=Second line\r\n");
  SelectLanguageFor(window_, 0x0409);
  LoadLocalizedCaptions(window_);
  EXPECT_EQ(L"Keys & themes", window_.Caption());
  EXPECT_EQ(L"Functions", window_.BitBtn4->Text());
  EXPECT_EQ(L"Apply", window_.BitBtn6->Text());
  EXPECT_EQ(L"Tray", window_.CheckBox1->Text());
  EXPECT_EQ(12, window_.CheckBox1->Font().Size());
  EXPECT_EQ(L"GroupBox3_caption", window_.GroupBox3->Text());
  EXPECT_EQ(L"Second line", window_.Label_Logo2->Text());
  EXPECT_EQ(L"BitBtn8_caption", window_.BitBtn8->Text());
  for (int n = 1; n <= 20; ++n) EXPECT_FALSE(LabelTable[n]->ShowAccelChar()) << n;
  EXPECT_EQ(!variant::kIsYev, window_.BitBtn4->Visible());
  EXPECT_EQ(!variant::kIsYev, window_.BitBtn4->Enabled());

  // A size that does not start with a digit gives 8.
  Write(L"obj0409.set", "[objects]\r\nCheckBox1_font_size=-12\r\n");
  LoadLocalizedCaptions(window_);
  EXPECT_EQ(8, window_.CheckBox1->Font().Size());
}

}  // namespace
