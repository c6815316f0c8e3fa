// The start-up sequence run in this process on the main window, for what the program's own
// process does not let a test arrange (a member of the Guests group) or see (the tray box's
// state at every stored setting).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "form/form.h"
#include "system/logon_user.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "demo_start.h"
#include "registry_keys.h"
#include "test_support.h"

using namespace registry_test;
using namespace startup_test;
using namespace testing_support;

namespace {

std::vector<std::string> GuestGroups() { return {"S-1-1-0", "S-1-5-32-546", "S-1-5-32-545"}; }

struct BoxSeen {
  std::wstring caption;
  std::wstring text;
  int boxes = 0;
};

BOOL CALLBACK CollectStaticText(HWND child, LPARAM data) {
  wchar_t window_class[64], text[512];
  GetClassNameW(child, window_class, 64);
  GetWindowTextW(child, text, 512);
  if (lstrcmpiW(window_class, L"Static") == 0 && text[0]) *reinterpret_cast<std::wstring*>(data) = text;
  return TRUE;
}

// Answers every message box of this process with OK until told to stop, noting what it showed.
void AnswerBoxes(BoxSeen& seen, std::atomic<bool>& stop) {
  while (!stop) {
    HWND box = FindWindowW(L"#32770", nullptr);
    DWORD process = 0;
    if (box) GetWindowThreadProcessId(box, &process);
    if (box && process == GetCurrentProcessId() && IsWindowVisible(box)) {
      wchar_t caption[256] = {};
      GetWindowTextW(box, caption, 256);
      seen.caption = caption;
      EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&seen.text));
      ++seen.boxes;
      SendMessageW(box, WM_COMMAND, IDOK, 0);
      WaitUntil([&] { return !IsWindow(box); }, 2000);
    }
    Sleep(10);
  }
}

class StartupSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    install_ = scratch_.File(L"install");
    ASSERT_TRUE(PrepareStart(install_, {L"obj0409.set", L"obj0409.bcm"}));
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", nullptr);
    ClearStart();
  }

  ScratchFolder scratch_;
  std::wstring install_;
};

TEST_F(StartupSequenceTest, GuestIsRefusedOnceButTheSequenceRunsToItsEnd) {
  const std::wstring& install = install_;
  SetTokenGroupSource(GuestGroups);

  BoxSeen seen;
  {
    form::Application app;
    Tzokcfg_0 window(app);
    std::atomic<bool> stop{false};
    std::thread answer(AnswerBoxes, std::ref(seen), std::ref(stop));
    window.RunCreate();
    stop = true;
    answer.join();

    EXPECT_FALSE(window.BitBtn3->Enabled());
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(window.Visible());
    EXPECT_FALSE(window.GroupBox3->Visible());
  }
  SetTokenGroupSource(nullptr);

  const std::wstring set_file = install + L"\\obj0409.set";
  EXPECT_EQ(1, seen.boxes);
  EXPECT_EQ(ProfileText(set_file, L"msg", L"msg1"), seen.caption);
  EXPECT_EQ(UserName + ProfileText(set_file, L"msg", L"msg16"), seen.text);
  // After the refusal the user file was still made and mirrored.
  EXPECT_TRUE(FileExists(UserSchemeFile));
  EXPECT_EQ(ProfileText(UserSchemeFile, L"0", L"caption0"),
            ReadValue(HKEY_CURRENT_USER, std::wstring(kConfigKey) + L"\\0", L"caption").Text());
}

// Only a stored 1 checks the box, and only that tells the tray program; the mirror then stores
// what the box shows.
TEST_F(StartupSequenceTest, TrayBoxIsCheckedOnlyByAStoredOne) {
  scratch_.UseForStandinLogs();
  ChildProcess tray(L"\"" + BinPath(L"TrayWarden.exe") + L"\"");
  HWND tray_window = WaitForWindow("TForm1", "TrayWarden");
  ASSERT_NE(nullptr, tray_window);
  const struct {
    bool stored;
    DWORD value;
    bool checked;
  } starts[] = {{false, 0, false}, {true, 0, false}, {true, 5, false}, {true, 0xFFFFFFFF, false}, {true, 1, true}};
  for (const auto& start : starts) {
    SCOPED_TRACE(start.stored ? std::to_string(start.value) : "none");
    if (start.stored) SetDword(HKEY_CURRENT_USER, kConfigKey, L"trayicon", start.value);
    else DeleteValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon");
    form::Application app;
    Tzokcfg_0 window(app);
    window.RunCreate();
    EXPECT_EQ(start.checked, window.CheckBox1->Checked());
    EXPECT_EQ(start.checked ? 1u : 0u, ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword());
  }
  // Posted after every start-up from this thread, so it is logged after whatever they posted.
  constexpr unsigned kFence = WM_USER + 0x123;
  PostMessageW(tray_window, kFence, 0, 0);
  const std::wstring log = scratch_.File(L"TrayWarden.log");
  ASSERT_TRUE(WaitUntil([&] {
    const auto messages = ReadLoggedMessages(log);
    return !messages.empty() && messages.back().msg == kFence;
  }));
  std::vector<std::string> messages;
  for (const LoggedMessage& m : ReadLoggedMessages(log)) {
    char text[64];
    snprintf(text, sizeof text, "0x%X %lu %lu", m.msg, m.wparam, m.lparam);
    messages.push_back(text);
  }
  EXPECT_EQ((std::vector<std::string>{"0x602 1 0", "0x523 0 0"}), messages);
}

}  // namespace
