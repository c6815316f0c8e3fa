// The start-up sequence run in this process on the main window, for what the program's own
// process does not let a test arrange: a member of the Guests group.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "form/form.h"
#include "system/logon_user.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "demo_install.h"
#include "registry_keys.h"
#include "test_support.h"

using namespace registry_test;
using namespace startup_test;
using namespace testing_support;

namespace {

const std::wstring kDataFolder = L"C:\\KVZOK";

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

TEST(StartupSequenceTest, GuestIsRefusedOnceButTheSequenceRunsToItsEnd) {
  RemoveTree(kDataFolder);
  DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
  ScratchFolder scratch;
  const std::wstring install = scratch.File(L"install");
  ASSERT_TRUE(CreateDirectoryW(install.c_str(), nullptr));
  for (const wchar_t* file : {L"obj0409.set", L"obj0409.bcm"})
    ASSERT_TRUE(CopyFileW(DemoInstallFile(file).c_str(), (install + L"\\" + file).c_str(), FALSE));
  SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", install);
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

  RemoveTree(kDataFolder);
  DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
  DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
}

}  // namespace
