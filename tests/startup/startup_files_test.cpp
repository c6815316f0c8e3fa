// Start-up run in this process (YEV) on installations and user files a program test cannot
// look into: the key pictures of the install folder, and a stored active scheme past the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/form.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "store/scheme_records.h"
#include "demo_start.h"
#include "registry_keys.h"
#include "test_support.h"

using namespace registry_test;
using namespace startup_test;
using namespace testing_support;

namespace {

std::wstring ArtworkIcon() {
  std::wstring path = L"Z:";
  for (char c : std::string(ZOK_ARTWORK_DIR)) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path + L"\\KEY_CALC.ico";
}

class StartupFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    install_ = scratch_.File(L"install");
    ASSERT_TRUE(PrepareStart(install_, {L"obj0409.set", L"obj0409.bcm"}));
    ASSERT_TRUE(CreateDirectoryW((install_ + L"\\icons").c_str(), nullptr));
  }
  void TearDown() override { ClearStart(); }
  std::wstring KeyPicture(int n) const { return install_ + L"\\icons\\key" + std::to_wstring(n) + L".ico"; }

  // Runs start-up; returns which of key rows 1 to 8 got a picture other than the stored one.
  std::vector<bool> StartAndComparePictures() {
    form::Application app;
    app.SetExceptionHandler([this](const std::exception& error) { errors_.push_back(error.what()); });
    Tzokcfg_0 window(app);
    form::Image* images[] = {window.Image1, window.Image2, window.Image3, window.Image4,
                             window.Image5, window.Image6, window.Image7, window.Image8};
    std::vector<HICON> stored;
    for (form::Image* image : images) stored.push_back(image->Icon());
    window.RunCreate();
    EXPECT_FALSE(window.Visible());  // the last step ran
    std::vector<bool> replaced;
    for (int i = 0; i < 8; ++i) replaced.push_back(images[i]->Icon() != stored[i]);
    return replaced;
  }

  ScratchFolder scratch_;
  std::wstring install_;
  std::vector<std::string> errors_;
};

TEST_F(StartupFilesTest, KeyPicturesLoadOnlyWhenAllEightExistAndABadOneKeepsItsStoredPicture) {
  for (int n : {1, 2, 4, 5, 6, 7, 8}) ASSERT_TRUE(CopyFileW(ArtworkIcon().c_str(), KeyPicture(n).c_str(), FALSE));
  EXPECT_EQ(std::vector<bool>(8, false), StartAndComparePictures());

  // A folder of the third name is no file.
  ASSERT_TRUE(CreateDirectoryW(KeyPicture(3).c_str(), nullptr));
  EXPECT_EQ(std::vector<bool>(8, false), StartAndComparePictures());
  ASSERT_TRUE(RemoveDirectoryW(KeyPicture(3).c_str()));

  ASSERT_TRUE(CopyFileW(ArtworkIcon().c_str(), KeyPicture(3).c_str(), FALSE));
  EXPECT_EQ(std::vector<bool>(8, true), StartAndComparePictures());

  ASSERT_TRUE(WriteTextFile(KeyPicture(3), "not an icon"));
  const std::vector<bool> expected = {true, true, false, true, true, true, true, true};
  EXPECT_EQ(expected, StartAndComparePictures());
  EXPECT_TRUE(errors_.empty());
}

TEST_F(StartupFilesTest, AStoredActiveSchemePastTheTableLoadsTheSchemeTheListSelects) {
  // The first start copies the default file; then "current" names a section past "scheme".
  StartAndComparePictures();
  const std::wstring file = UserSchemeFile;
  const std::wstring factory0 = ProfileText(file, L"0", L"caption0");
  ASSERT_TRUE(WritePrivateProfileStringW(L"global", L"scheme", L"1", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(L"1", L"caption0", L"Mine0", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(L"5", L"caption0", L"Stale0", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(L"global", L"current", L"5", file.c_str()));

  form::Application app;
  Tzokcfg_0 window(app);
  window.RunCreate();
  EXPECT_EQ(0, window.ComboBox1->ItemIndex());
  EXPECT_EQ(factory0, CurScheme.keys[0].caption);
  EXPECT_EQ(factory0, IniData.schemedata.keys[0].caption);
}

}  // namespace
