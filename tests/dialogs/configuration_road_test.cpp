// The whole configuration road through the real program and the hot-key handler's stand-in, in
// both variants, on the demo installation: start, create a theme, make key 0 a link, give the
// first numpad key a function (ZOK), OK; the user file, the registry mirror and the handler's
// start show the whole apply.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../startup/demo_install.h"
#include "registry_keys.h"
#include "test_support.h"

using namespace registry_test;
using namespace testing_support;

namespace {

const wchar_t kLink[] = L"C:\\windows\\notepad.exe";

void Click(HWND button) {
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void Type(HWND field, const wchar_t* text) { SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

// The first visible edit field of a window, and the next one beside it.
HWND FirstField(HWND window) { return FindChild(window, L"Edit", nullptr); }
HWND NextField(HWND field) { return FindWindowExW(GetParent(field), field, L"Edit", nullptr); }

bool HasLineWith(const std::vector<std::string>& lines, const std::string& part) {
  for (const auto& line : lines)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

class ConfigurationRoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    const std::wstring language = startup_test::DemoInstallFile(L"obj0409.set");
    SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", language.substr(0, language.rfind(L'\\')));
    scratch_.UseForStandinLogs();
    // The running handler reports the numeric pad, so ZOK shows its numpad group.
    SetEnvironmentVariableW(L"ZOK_STANDIN_NUMPAD", L"1");
    handler_ = std::make_unique<ChildProcess>(L"\"" + BinPath(L"ZOKHKEY.exe") + L"\"");
    SetEnvironmentVariableW(L"ZOK_STANDIN_NUMPAD", nullptr);
    ASSERT_NE(nullptr, WaitForWindow("AfxFrameOrView42sud", "ZOKHKWND"));
  }
  void TearDown() override {
    program_.reset();
    handler_.reset();
    RemoveTree(L"C:\\KVZOK");
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
  }

  // Clicks the button and waits for the dialog it opens.
  HWND Open(HWND button, const wchar_t* dialog_class) {
    Click(button);
    return WaitForProcessWindow(program_->id(), dialog_class);
  }
  static bool ClosedByOk(HWND dialog) {
    Click(FindChild(dialog, L"Button", L"OK"));
    return WaitUntil([dialog] { return !IsWindowVisible(dialog); });
  }
  static std::wstring Stored(const wchar_t* section, const wchar_t* key) {
    WIN32_FIND_DATAW user_file;
    HANDLE found = FindFirstFileW(L"C:\\KVZOK\\*.ini", &user_file);
    if (found == INVALID_HANDLE_VALUE) return L"(no user file)";
    FindClose(found);
    return startup_test::ProfileText(std::wstring(L"C:\\KVZOK\\") + user_file.cFileName, section, key);
  }
  static StoredValue Mirrored(int key, const wchar_t* name) {
    return ReadValue(HKEY_CURRENT_USER, std::wstring(kConfigKey) + L"\\" + std::to_wstring(key), name);
  }

  void RunTheRoad(const wchar_t* program, bool view_functions) {
    program_ = std::make_unique<ChildProcess>(L"\"" + BinPath(program) + L"\"");
    HWND window = WaitForProcessWindow(program_->id(), L"Tzokcfg_0");
    ASSERT_NE(nullptr, window);
    HWND create = Open(FindChild(window, L"Button", L"Create"), L"Tzokcfg_1");
    ASSERT_NE(nullptr, create);
    Type(FirstField(create), L"My keys");
    ASSERT_TRUE(ClosedByOk(create));

    HWND key_group = FindChild(window, L"Button", L"Button assignments");
    HWND configure = Open(FindChild(key_group, L"Button", L"Configure buttons"), L"Tzokcfg_2");
    ASSERT_NE(nullptr, configure);
    ASSERT_NE(nullptr, NextField(FirstField(configure)));
    Type(FirstField(configure), L"Notes");
    Type(NextField(FirstField(configure)), kLink);
    ASSERT_TRUE(ClosedByOk(configure));

    if (view_functions) {
      HWND view = Open(FindChild(window, L"Button", L"View functions"), L"Tzokcfg_3");
      ASSERT_NE(nullptr, view);
      Type(FirstField(view), L"Percent");
      SendMessageW(FindChild(view, L"ComboBox", nullptr), CB_SETCURSEL, 1, 0);
      ASSERT_TRUE(ClosedByOk(view));
    }
    Click(FindChild(window, L"Button", L"OK"));
    ASSERT_EQ(0, program_->Wait(15000));

    EXPECT_EQ(L"1", Stored(L"global", L"current"));
    EXPECT_EQ(L"My keys", Stored(L"1", L"schemename"));
    EXPECT_EQ(L"Notes", Stored(L"1", L"caption0"));
    EXPECT_EQ(L"4", Stored(L"1", L"function0"));
    EXPECT_EQ(kLink, Stored(L"1", L"linkto0"));
    EXPECT_EQ(L"Home", Stored(L"0", L"caption0"));  // the factory scheme stays
    EXPECT_EQ(L"Notes", Mirrored(0, L"caption").Text());
    EXPECT_EQ(kLink, Mirrored(0, L"linkto").Text());
    EXPECT_EQ(4u, Mirrored(0, L"function").Dword());
    const std::wstring log = scratch_.File(L"ZOKHKEY.log");
    ASSERT_TRUE(WaitUntil([&] { return HasLineWith(ReadLines(log), "seen mirror keys=10 caption0=Notes"); }, 15000));
    EXPECT_TRUE(HasLineWith(ReadLines(log), "start cmdline=ZOKHKEY.EXE u"));
    EXPECT_TRUE(HasLineWith(ReadLines(log), ".ini current=1"));
  }

  ScratchFolder scratch_;
  std::unique_ptr<ChildProcess> handler_;
  std::unique_ptr<ChildProcess> program_;
};

TEST_F(ConfigurationRoadTest, ZokThemeLinkAndFunctionApplied) {
  RunTheRoad(L"zokcfg.exe", true);
  // The numpad group's first key, key 6, got "%".
  EXPECT_EQ(L"Percent", Stored(L"1", L"caption6"));
  EXPECT_EQ(L"15", Stored(L"1", L"function6"));
  EXPECT_EQ(L"%", Stored(L"1", L"assign6"));
  EXPECT_EQ(15u, Mirrored(6, L"function").Dword());
}

TEST_F(ConfigurationRoadTest, YevThemeAndLinkApplied) { RunTheRoad(L"yevcfg.exe", false); }

}  // namespace
