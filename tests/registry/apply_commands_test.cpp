// The tray-icon choice, the hot-key handler start and the help start, with the stand-ins of
// the outside programs.
#include <gtest/gtest.h>

#include "apply_commands.h"
#include "registry_keys.h"
#include "test_support.h"

using namespace registry_test;
using namespace testing_support;

namespace {

bool HasLineStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  for (const auto& line : lines)
    if (line.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

DWORD StoredTrayIcon() { return ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword(); }

class ApplyCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    scratch_.UseForStandinLogs();
  }
  void TearDown() override {
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", nullptr);
  }
  ScratchFolder scratch_;
};

TEST_F(ApplyCommandsTest, TrayChoiceIsPostedWhenTheTrayProgramRunsAndAlwaysStored) {
  ApplyTrayIconChoice(true);  // no tray program: only stored
  EXPECT_EQ(1u, StoredTrayIcon());

  ChildProcess tray(L"\"" + BinPath(L"TrayWarden.exe") + L"\"");
  ASSERT_NE(nullptr, WaitForWindow("TForm1", "TrayWarden"));
  ApplyTrayIconChoice(false);
  EXPECT_EQ(0u, StoredTrayIcon());
  ApplyTrayIconChoice(true);
  EXPECT_EQ(1u, StoredTrayIcon());

  const std::wstring log = scratch_.File(L"TrayWarden.log");
  ASSERT_TRUE(WaitUntil([&] { return ReadLoggedMessages(log).size() >= 2; }));
  const auto messages = ReadLoggedMessages(log);
  ASSERT_EQ(2u, messages.size());
  EXPECT_EQ(0x602u, messages[0].msg);
  EXPECT_EQ(0u, messages[0].wparam);
  EXPECT_EQ(0u, messages[0].lparam);
  EXPECT_EQ(0x602u, messages[1].msg);
  EXPECT_EQ(1u, messages[1].wparam);
}

TEST_F(ApplyCommandsTest, HotkeyHandlerStartsWithTheUpdateArgument) {
  StartHotkeyHandler();
  const std::wstring log = scratch_.File(L"ZOKHKEY.log");
  ASSERT_TRUE(WaitUntil([&] { return HasLineStartingWith(ReadLines(log), "seen mirror"); }));
  const auto lines = ReadLines(log);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(0u, lines[0].find("start cmdline=ZOKHKEY.EXE u ")) << lines[0];
}

TEST_F(ApplyCommandsTest, HelpStartsTheStarterOfTheInstallFolder) {
  // An install folder of its own with a copy of the stand-in: without a log folder set, the
  // stand-in logs beside its own executable, which shows which copy ran.
  SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", nullptr);
  const std::wstring install = scratch_.File(L"Key Soft");
  ASSERT_TRUE(CreateDirectoryW(install.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(BinPath(L"HelpStarter.exe").c_str(),
                        (install + L"\\HelpStarter.exe").c_str(), FALSE));

  StartHelpStarter(nullptr, install);
  const std::wstring log = install + L"\\HelpStarter.log";
  ASSERT_TRUE(WaitUntil([&] { return !ReadLines(log).empty(); }));
  const std::string line = ReadLines(log)[0];
  EXPECT_EQ(0u, line.find("start cmdline=")) << line;
  const std::string folder(install.begin(), install.end());
  EXPECT_NE(std::string::npos, line.find(" cwd=" + folder)) << line;
}

}  // namespace
