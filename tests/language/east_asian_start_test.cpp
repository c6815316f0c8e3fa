// The configuration program under a Japanese and a Korean user interface, which Wine takes from
// LC_ALL (ctest runs the Japanese tests with ja_JP.UTF-8, the Korean ones with ko_KR.UTF-8): the
// files and the font a start chooses, and the font of View Functions' function list. And the
// dialogs' font on a screen of 120 pixels per inch.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/view_functions_dialog.h"
#include "form/application.h"
#include "main_window/language_select.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "demo_start.h"
#include "registry_keys.h"
#include "test_support.h"

using namespace registry_test;
using namespace testing_support;

namespace {

// Face, character set and point size of the font the control's window draws with.
std::string WindowFont(form::Control& control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  const std::wstring face = font.lfFaceName;
  return std::string(face.begin(), face.end()) + " " + std::to_string(font.lfCharSet) + " " +
         std::to_string(control.Font().Size());
}

constexpr wchar_t kResolutionChild[] = L"ZOK_RESOLUTION_CHILD";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

class EastAsianStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    install_ = scratch_.File(L"install");
    ASSERT_TRUE(startup_test::PrepareStart(install_, {}));
    ASSERT_TRUE(WriteTextFile(install_ + L"\\obj0409.set", "[objects]\r\nzokcfg_0_caption=English\r\n"));
  }
  void TearDown() override { startup_test::ClearStart(); }

  // The View Functions dialog as created, then shown with its own font as created ("Arial" 9),
  // unlike any list font: the list's font before and after that first showing.
  std::vector<std::string> ListFontsAroundTheFirstShow() {
    Tzokcfg_3 dialog(app_);
    dialog.RunCreate();
    const std::string created = WindowFont(*dialog.ComboBox1);
    dialog.Show();
    EXPECT_EQ("Arial 1 9", WindowFont(*dialog.Label1));
    return {created, WindowFont(*dialog.ComboBox1)};
  }

  ScratchFolder scratch_;
  std::wstring install_;
  form::Application app_;
};

TEST_F(EastAsianStartTest, JapaneseStartLooksForItsOwnFilesAndTheListKeepsItsFont) {
  ASSERT_EQ(0x0411, GetUserDefaultUILanguage());
  // The Japanese default scheme file is copied even though no Japanese language file exists;
  // the texts then come from obj0409.set.
  const std::wstring japanese_schemes = install_ + L"\\obj0411.bcm";
  ASSERT_TRUE(CopyFileW(startup_test::DemoInstallFile(L"obj0409.bcm").c_str(), japanese_schemes.c_str(), FALSE));
  {
    Tzokcfg_0 window(app_);
    window.RunCreate();
    EXPECT_EQ(japanese_schemes, DefaultSchemeFile);
    EXPECT_EQ(ReadFileBytes(japanese_schemes), ReadFileBytes(UserSchemeFile));
    EXPECT_EQ(L"English", window.Caption());
    EXPECT_EQ("MS PGothic 128 9", WindowFont(*window.Label1));
    EXPECT_EQ(L"MS PGothic", LangFont.Name());
  }
  EXPECT_EQ(L"MS PGothic", form::Font().Name());  // the default font of a Japanese code page
  // With its own language file, in the Japanese code page.
  ASSERT_TRUE(WriteTextFile(install_ + L"\\obj0411.set", "[objects]\r\nzokcfg_0_caption=\x93\xFA\x96\x7B\x8C\xEA\r\n"));
  {
    Tzokcfg_0 window(app_);
    window.RunCreate();
    EXPECT_EQ(L"\x65E5\x672C\x8A9E", window.Caption());
  }
  EXPECT_EQ((std::vector<std::string>{"MS PGothic 128 9", "MS PGothic 128 9"}), ListFontsAroundTheFirstShow());
}

TEST_F(EastAsianStartTest, KoreanListTakesTheDialogFontAtTheFirstShow) {
  ASSERT_EQ(0x0412, GetUserDefaultUILanguage());
  ASSERT_TRUE(CopyFileW(startup_test::DemoInstallFile(L"obj0409.bcm").c_str(), (install_ + L"\\obj0412.bcm").c_str(),
                        FALSE));
  {
    Tzokcfg_0 window(app_);
    window.RunCreate();
    EXPECT_EQ(install_ + L"\\obj0412.bcm", DefaultSchemeFile);
    EXPECT_EQ("Dotum 129 9", WindowFont(*window.Label1));
  }
  EXPECT_EQ((std::vector<std::string>{"Dotum 129 9", "Arial 1 9"}), ListFontsAroundTheFirstShow());
}

// At 120 pixels per inch the editing dialogs get 8 points from the language font, as on any
// screen. The checks run in a child process started at that resolution.
TEST_F(EastAsianStartTest, HighResolutionGivesTheDialogsEightPoints) {
  if (GetEnvironmentVariableW(kResolutionChild, nullptr, 0) == 0) {
    // Wine reads the resolution from this value when a process starts; it is put back after.
    const StoredValue before = ReadValue(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    SetDword(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", 120);
    SetEnvironmentVariableW(kResolutionChild, L"1");
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(0, RunAndWait(L"\"" + std::wstring(self) + L"\" --gtest_filter=*.HighResolution*", 120000));
    if (before.found) SetDword(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", before.Dword());
    if (!before.found) DeleteValue(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    return;
  }
  ASSERT_EQ(120, form::ScreenPixelsPerInch());
  ASSERT_TRUE(CopyFileW(startup_test::DemoInstallFile(L"obj0409.bcm").c_str(), (install_ + L"\\obj0409.bcm").c_str(), FALSE));
  Tzokcfg_0 window(app_);
  window.RunCreate();
  Tzokcfg_3 dialog(app_);
  dialog.RunCreate();
  window.Show();
  dialog.Show();
  EXPECT_EQ("MS Sans Serif 1 8", WindowFont(*dialog.Label1));
}

}  // namespace
