// Locked keys, the tray check box and Help on a real main window (built without start-up).
#include <gtest/gtest.h>

#include "main_window/locked_buttons.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "registry_keys.h"
#include "main_window/scheme_list.h"
#include "store/scheme_records.h"
#include "main_window/scheme_rows.h"
#include "test_support.h"

using namespace registry_test;
using namespace testing_support;

namespace {

class WindowCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    scratch_.UseForStandinLogs();
  }
  void TearDown() override {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", nullptr);
    InstallFolder.clear();
  }

  // Names of the key-row controls (RadioButton1..10, Label1..20) that are disabled.
  std::vector<std::string> DisabledRowControls() const {
    std::vector<std::string> names;
    for (int i = 1; i <= 10; ++i)
      if (!RadioTable[i]->Enabled()) names.push_back("RadioButton" + std::to_string(i));
    for (int i = 1; i <= 20; ++i)
      if (!LabelTable[i]->Enabled()) names.push_back("Label" + std::to_string(i));
    return names;
  }

  void LockWith(const std::vector<unsigned char>& locked, int numbutton) {
    SetBinary(HKEY_LOCAL_MACHINE, kInstallKey, L"Locked", locked);
    IniData.numbutton = numbutton;
    AllocateLockedFlags(numbutton);
  }

  ScratchFolder scratch_;
  form::Application app_;
};

using Names = std::vector<std::string>;

TEST_F(WindowCommandsTest, LockedKeysDisableTheirOwnRows) {
  {
    Tzokcfg_0 window(app_);
    LockWith({1, 0, 0, 1, 0, 2, 0, 0, 0, 0}, 10);
    ApplyLockedButtons(window);
    EXPECT_EQ((Names{"RadioButton1", "RadioButton4", "Label1", "Label4", "Label11", "Label14"}),
              DisabledRowControls());
  }
  {
    // Six keys: key 0 loses its own assignment label, Label11, not Label7.
    Tzokcfg_0 window(app_);
    LockWith({1, 0, 0, 0, 0, 1}, 6);
    ApplyLockedButtons(window);
    EXPECT_EQ((Names{"RadioButton1", "RadioButton6", "Label1", "Label6", "Label11", "Label16"}),
              DisabledRowControls());
  }
  {
    // A damaged numbutton and a long value: every row locked, nothing beyond the tables.
    Tzokcfg_0 window(app_);
    LockWith(std::vector<unsigned char>(64, 1), 500);
    ApplyLockedButtons(window);
    EXPECT_EQ(30u, DisabledRowControls().size());
    EXPECT_EQ(12u, LockedFlags.size());
  }
  {
    // No install key: nothing locked, and flags left from before are cleared.
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
    Tzokcfg_0 window(app_);
    IniData.numbutton = 10;
    LockedFlags.assign(12, 1);
    ApplyLockedButtons(window);
    EXPECT_TRUE(DisabledRowControls().empty());
  }
}

TEST_F(WindowCommandsTest, TrayBoxPostsAndStoresEveryChange) {
  Tzokcfg_0 window(app_);
  window.CheckBox1->SetChecked(true);  // tray program not running: stored only
  EXPECT_EQ(1u, ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword());

  ChildProcess tray(L"\"" + BinPath(L"TrayWarden.exe") + L"\"");
  ASSERT_NE(nullptr, WaitForWindow("TForm1", "TrayWarden"));
  window.CheckBox1->SetChecked(false);
  EXPECT_EQ(0u, ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword());
  window.CheckBox1->SetChecked(true);
  EXPECT_EQ(1u, ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword());
  const std::wstring log = scratch_.File(L"TrayWarden.log");
  ASSERT_TRUE(WaitUntil([&] { return ReadLoggedMessages(log).size() >= 2; }));
  const auto messages = ReadLoggedMessages(log);
  ASSERT_EQ(2u, messages.size());
  for (const auto& message : messages) {
    EXPECT_EQ(0x602u, message.msg);
    EXPECT_EQ(0u, message.lparam);
  }
  EXPECT_EQ(0u, messages[0].wparam);
  EXPECT_EQ(1u, messages[1].wparam);
}

TEST_F(WindowCommandsTest, HelpStartsTheStarterInTheInstallFolder) {
  InstallFolder = scratch_.File(L"install");
  ASSERT_TRUE(CreateDirectoryW(InstallFolder.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(BinPath(L"HelpStarter.exe").c_str(),
                        (InstallFolder + L"\\HelpStarter.exe").c_str(), FALSE));
  SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", nullptr);  // logs beside the copy that runs

  Tzokcfg_0 window(app_);
  window.BitBtn8->Click();
  const std::wstring log = InstallFolder + L"\\HelpStarter.log";
  ASSERT_TRUE(WaitUntil([&] { return !ReadLines(log).empty(); }));
  const std::string folder(InstallFolder.begin(), InstallFolder.end());
  EXPECT_NE(std::string::npos, ReadLines(log)[0].find(" cwd=" + folder));
}

// Three schemes of ten keys; key k of scheme s has the caption "S<s>K<k>".
std::string ThreeSchemes() {
  std::string text =
      "[global]\r\nscheme=2\r\ncurrent=0\r\nnumbutton=10\r\ndefault=0\r\nnumhkbtns=8\r\n"
      "numnumpad=4\r\n";
  for (int s = 0; s <= 2; ++s) {
    text += "[" + std::to_string(s) + "]\r\nschemename=Scheme " + std::to_string(s) + "\r\n";
    for (int k = 0; k < 10; ++k) {
      const std::string n = std::to_string(k);
      text += "function" + n + "=4\r\ncaption" + n + "=S" + std::to_string(s) + "K" + n +
              "\r\nassign" + n + "=x\r\nlinkto" + n + "=C:\\s.exe\r\nvkey" + n + "=0\r\n";
    }
  }
  return text;
}

std::wstring MirroredCaption(int key) {
  return ReadValue(HKEY_CURRENT_USER, std::wstring(kConfigKey) + L"\\" + std::to_wstring(key),
                   L"caption")
      .Text();
}

TEST_F(WindowCommandsTest, OkWritesRowsSelectionAndMirrorThenStartsTheHandler) {
  UserSchemeFile = scratch_.File(L"user.ini");
  ASSERT_TRUE(WriteTextFile(UserSchemeFile, ThreeSchemes()));
  Tzokcfg_0 window(app_);
  ASSERT_EQ(0, LoadScheme(window, UserSchemeFile, L"0", IniData));
  LoadAllSchemeRows(window);
  window.ComboBox1->SetItemIndex(2);
  // An edit that only the rows hold yet: OK must write it before it mirrors.
  SetRow(window, 2 * 10 + 0, 4, 0, L"Edited", L"", L"C:\\edited.exe");

  // Delete's apply: everything written, the flag cleared, the program goes on.
  ApplyFromDelete = true;
  window.BitBtn6->Click();
  EXPECT_FALSE(ApplyFromDelete);
  EXPECT_FALSE(app_.Terminated());
  EXPECT_EQ(2u, GetPrivateProfileIntW(L"global", L"current", 9, UserSchemeFile.c_str()));
  wchar_t assign[32];
  GetPrivateProfileStringW(L"2", L"assign0", L"", assign, 32, UserSchemeFile.c_str());
  EXPECT_STREQ(L"~assign", assign);
  EXPECT_EQ(L"Edited", MirroredCaption(0));
  EXPECT_EQ(L"S2K9", MirroredCaption(9));
  EXPECT_EQ(0u, ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword());
  const std::wstring log = scratch_.File(L"ZOKHKEY.log");
  ASSERT_TRUE(WaitUntil([&] { return !ReadLines(log).empty(); }));
  EXPECT_EQ(0u, ReadLines(log)[0].find("start cmdline=ZOKHKEY.EXE u "));

  // A plain OK ends the program; the tray box's state goes to the mirror.
  window.CheckBox1->SetChecked(true);
  SetDword(HKEY_CURRENT_USER, kConfigKey, L"trayicon", 7);
  window.ComboBox1->SetItemIndex(1);
  window.BitBtn6->Click();
  EXPECT_TRUE(app_.Terminated());
  EXPECT_EQ(1u, GetPrivateProfileIntW(L"global", L"current", 9, UserSchemeFile.c_str()));
  EXPECT_EQ(L"S1K0", MirroredCaption(0));
  EXPECT_EQ(1u, ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword());
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  UserSchemeFile.clear();
}

}  // namespace
