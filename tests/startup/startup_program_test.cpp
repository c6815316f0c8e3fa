// The configuration program's start-up, run for real on a demo installation: the user scheme
// file, the registry mirror, the hand-shake with the hot-key handler, the single instance, the
// refusal when the default scheme file cannot be copied, and the layout it starts with.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "demo_install.h"
#include "registry_keys.h"
#include "test_support.h"

using namespace registry_test;
using namespace startup_test;
using namespace testing_support;

namespace {

const std::wstring kDataFolder = L"C:\\KVZOK";
constexpr unsigned kConfigHelloMessage = 0x702;
constexpr unsigned kNumPadStateMessage = 0x701;

std::wstring LogonUserName() {
  wchar_t name[512];
  DWORD size = 512;
  return GetUserNameW(name, &size) ? name : L" ";
}

std::string FileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

int ClientHeight(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.bottom - client.top;
}

bool StillRuns(const ChildProcess& program) {
  return WaitForSingleObject(program.handle(), 0) == WAIT_TIMEOUT;
}

class StartupProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(kDataFolder);
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
    user_file_ = kDataFolder + L"\\" + LogonUserName() + L".ini";
    install_ = scratch_.File(L"install");
    ASSERT_TRUE(CreateDirectoryW(install_.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(DemoInstallFile(L"obj0409.set").c_str(),
                          (install_ + L"\\obj0409.set").c_str(), FALSE));
    SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", install_);
    scratch_.UseForStandinLogs();
  }
  void TearDown() override {
    program_.reset();
    handler_.reset();
    SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", nullptr);
    RemoveTree(kDataFolder);
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
  }

  void InstallDefaultSchemeFile() {
    ASSERT_TRUE(CopyFileW(DemoInstallFile(L"obj0409.bcm").c_str(), DefaultSchemeFile().c_str(),
                          FALSE));
  }
  std::wstring DefaultSchemeFile() const { return install_ + L"\\obj0409.bcm"; }

  void StartHotkeyHandler() {
    handler_.reset(new ChildProcess(L"\"" + BinPath(L"ZOKHKEY.exe") + L"\""));
    ASSERT_TRUE(handler_->started());
    ASSERT_NE(nullptr, WaitForWindow("AfxFrameOrView42sud", "ZOKHKWND"));
  }

  void StartProgram(const wchar_t* file, int show_command = -1) {
    program_.reset(new ChildProcess(L"\"" + BinPath(file) + L"\"", nullptr, show_command));
    ASSERT_TRUE(program_->started());
  }

  // The hand-shakes the hot-key handler's stand-in logged.
  std::vector<LoggedMessage> Hellos() const {
    std::vector<LoggedMessage> hellos;
    for (const LoggedMessage& m : ReadLoggedMessages(scratch_.File(L"ZOKHKEY.log")))
      if (m.msg == kConfigHelloMessage) hellos.push_back(m);
    return hellos;
  }

  // Three hellos, each with wParam 0 and lParam the main window.
  void ExpectThreeHellosFrom(HWND window) {
    WaitUntil([&] { return Hellos().size() >= 3; }, 5000);
    const std::vector<LoggedMessage> hellos = Hellos();
    ASSERT_EQ(3u, hellos.size());
    const auto handle = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window));
    for (const LoggedMessage& hello : hellos) {
      EXPECT_EQ(0ul, hello.wparam);
      EXPECT_EQ(handle, hello.lparam);
    }
  }

  // After start-up the numpad group is hidden and the window is as tall as the panel layout
  // with that group hidden makes it.
  void ExpectNumpadHiddenLayout(HWND window, int client_height) {
    HWND numpad = FindChild(window, nullptr, L"Num button assignments");
    ASSERT_NE(nullptr, numpad);
    EXPECT_FALSE(IsWindowVisible(numpad));
    EXPECT_FALSE(IsWindowEnabled(numpad));
    EXPECT_TRUE(IsWindowVisible(FindChild(window, nullptr, L"Button assignments")));
    EXPECT_EQ(client_height, ClientHeight(window));
  }

  ScratchFolder scratch_;
  std::wstring user_file_;
  std::wstring install_;
  std::unique_ptr<ChildProcess> handler_;
  std::unique_ptr<ChildProcess> program_;
};

TEST_F(StartupProgramTest, FirstStartCopiesTheDefaultFileMirrorsAndGreetsTheHandler) {
  InstallDefaultSchemeFile();
  StartHotkeyHandler();
  StartProgram(L"zokcfg.exe");
  HWND window = WaitForProcessWindow(program_->id(), L"Tzokcfg_0");
  ASSERT_NE(nullptr, window);

  // No user file: the data folder is made and the default file copied over unchanged.
  const std::string copied = FileBytes(user_file_);
  ASSERT_FALSE(copied.empty());
  EXPECT_EQ(FileBytes(DefaultSchemeFile()), copied);

  // The mirror holds every key of the active scheme and the tray setting.
  const std::wstring active = ProfileText(user_file_, L"global", L"current");
  const std::wstring config = kConfigKey;
  for (int key = 0; key < 10; ++key) {
    SCOPED_TRACE(key);
    const std::wstring subkey = config + L"\\" + std::to_wstring(key);
    const std::wstring n = std::to_wstring(key);
    const std::wstring caption = ProfileText(user_file_, active.c_str(), (L"caption" + n).c_str());
    EXPECT_EQ(caption == L"~caption" ? L"" : caption,
              ReadValue(HKEY_CURRENT_USER, subkey, L"caption").Text());
    EXPECT_EQ(ProfileText(user_file_, active.c_str(), (L"function" + n).c_str()),
              std::to_wstring(ReadValue(HKEY_CURRENT_USER, subkey, L"function").Dword()));
  }
  EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, config, L"trayicon").found);

  ExpectThreeHellosFrom(window);
  // When the first hello arrived, the handler already found the whole mirror written.
  std::vector<std::string> seen;
  for (const std::string& line : ReadLines(scratch_.File(L"ZOKHKEY.log")))
    if (line.compare(0, 4, "msg ") == 0 || line.compare(0, 5, "seen ") == 0)
      seen.push_back(line.compare(0, 10, "msg 0x0702") == 0 ? "hello" : line);
  const std::wstring caption0 = ProfileText(user_file_, active.c_str(), L"caption0");
  const std::vector<std::string> expected = {
      "hello", "seen mirror keys=10 caption0=" + std::string(caption0.begin(), caption0.end()),
      "hello", "hello"};
  EXPECT_EQ(expected, seen);
  ExpectNumpadHiddenLayout(window, 494);

  // The scheme list holds the schemes of the loaded file.
  HWND schemes = FindChild(window, L"ComboBox", nullptr);
  ASSERT_NE(nullptr, schemes);
  EXPECT_GT(SendMessageW(schemes, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(StartupProgramTest, YevStartsWithItsOwnHiddenNumpadLayoutAndKeepsAnExistingUserFile) {
  InstallDefaultSchemeFile();
  ASSERT_TRUE(CreateDirectoryW(kDataFolder.c_str(), nullptr));
  // A user file with a scheme of its own stays as it is.
  std::string user = FileBytes(DefaultSchemeFile());
  ASSERT_TRUE(WriteTextFile(user_file_, user));
  ASSERT_TRUE(WritePrivateProfileStringW(L"0", L"caption0", L"Mine", user_file_.c_str()));
  const std::string before = FileBytes(user_file_);

  StartProgram(L"yevcfg.exe");
  HWND window = WaitForProcessWindow(program_->id(), L"Tzokcfg_0");
  ASSERT_NE(nullptr, window);
  ExpectNumpadHiddenLayout(window, 557);
  EXPECT_EQ(before, FileBytes(user_file_));
  EXPECT_EQ(L"Mine", ReadValue(HKEY_CURRENT_USER, std::wstring(kConfigKey) + L"\\0", L"caption").Text());
  // Without the hot-key handler nothing is sent and start-up still completes.
  EXPECT_TRUE(Hellos().empty());
}

// The window posts its answer; the test sends its own requests after start-up.
TEST_F(StartupProgramTest, NumPadStateMessageShowsHidesOrOnlyShowsTheWindowAgain) {
  InstallDefaultSchemeFile();
  for (const wchar_t* program : {L"zokcfg.exe", L"yevcfg.exe"}) {
    SCOPED_TRACE(program);
    const bool yev = program[0] == L'y';
    StartProgram(program);
    HWND window = WaitForProcessWindow(program_->id(), L"Tzokcfg_0");
    ASSERT_NE(nullptr, window);
    HWND numpad = FindChild(window, nullptr, L"Num button assignments");
    EXPECT_EQ(0, SendMessageW(window, kNumPadStateMessage, 1, 0));
    EXPECT_EQ(yev ? 698 : 712, ClientHeight(window));
    EXPECT_TRUE(IsWindowVisible(numpad));
    EXPECT_EQ(0, SendMessageW(window, kNumPadStateMessage, 0, 0));
    EXPECT_EQ(yev ? 557 : 494, ClientHeight(window));
    EXPECT_FALSE(IsWindowVisible(numpad));
    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(0, SendMessageW(window, kNumPadStateMessage, 2, 0));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(yev ? 557 : 494, ClientHeight(window));
    EXPECT_FALSE(IsWindowVisible(numpad));
    program_.reset();
  }
}

// The start's show command: maximised is kept (the show handler's fit and centring come first),
// minimised shows the window normally.
TEST_F(StartupProgramTest, AMaximisedStartEndsMaximisedAMinimisedOneShowsNormally) {
  InstallDefaultSchemeFile();
  RECT work_area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work_area, 0);
  for (int command : {SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED}) {
    SCOPED_TRACE(command);
    StartProgram(L"zokcfg.exe", command);
    HWND window = WaitForProcessWindow(program_->id(), L"Tzokcfg_0");
    ASSERT_NE(nullptr, window);
    SendMessageW(window, WM_NULL, 0, 0);  // answered once the program's loop runs
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(command == SW_SHOWMAXIMIZED, IsZoomed(window) != FALSE);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(command == SW_SHOWMAXIMIZED, client.right >= work_area.right - work_area.left);
    program_.reset();
  }
}

// Damaged counts in the user file cost no more than the keys and sections that exist.
TEST_F(StartupProgramTest, DamagedKeyAndSchemeCountsStartAndApplyLikeAGoodFile) {
  InstallDefaultSchemeFile();
  ASSERT_TRUE(CreateDirectoryW(kDataFolder.c_str(), nullptr));
  ASSERT_TRUE(WriteTextFile(user_file_, FileBytes(DefaultSchemeFile())));
  const wchar_t* file = user_file_.c_str();
  ASSERT_TRUE(WritePrivateProfileStringW(L"global", L"numbutton", L"99999", file));
  StartProgram(L"zokcfg.exe");
  ASSERT_NE(nullptr, WaitForProcessWindow(program_->id(), L"Tzokcfg_0", 20000));
  EXPECT_EQ(10, SubkeyCount(HKEY_CURRENT_USER, kConfigKey));
  program_.reset();

  // Two schemes under a "scheme" of 2147483647: the loops end at the highest scheme section the
  // file holds, OK adds no section, and it ends the program.
  ASSERT_TRUE(WritePrivateProfileStringW(L"global", L"numbutton", L"10", file));
  ASSERT_TRUE(WritePrivateProfileStringW(L"global", L"scheme", L"2147483647", file));
  ASSERT_TRUE(WritePrivateProfileStringW(L"global", L"current", L"1", file));
  ASSERT_TRUE(WritePrivateProfileStringW(L"1", L"schemename", L"Mine", file));
  ASSERT_TRUE(WritePrivateProfileStringW(L"1", L"caption0", L"Mine0", file));
  StartProgram(L"zokcfg.exe");
  HWND window = WaitForProcessWindow(program_->id(), L"Tzokcfg_0", 20000);
  ASSERT_NE(nullptr, window);
  HWND schemes = FindChild(window, L"ComboBox", nullptr);
  EXPECT_EQ(2, SendMessageW(schemes, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(1, SendMessageW(schemes, CB_GETCURSEL, 0, 0));
  HWND ok = FindChild(window, L"Button", L"OK");
  ASSERT_NE(nullptr, ok);
  PostMessageW(GetParent(ok), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok), BN_CLICKED),
               reinterpret_cast<LPARAM>(ok));
  EXPECT_EQ(0, program_->Wait(20000));
  EXPECT_EQ(L"Mine0", ProfileText(user_file_, L"1", L"caption0"));
  wchar_t sections[4096] = {};
  int held = 0;
  GetPrivateProfileSectionNamesW(sections, 4096, file);
  for (const wchar_t* name = sections; *name; name += wcslen(name) + 1) ++held;
  EXPECT_EQ(3, held);
  EXPECT_EQ(L"Mine0", ReadValue(HKEY_CURRENT_USER, std::wstring(kConfigKey) + L"\\0", L"caption").Text());
}

// A handler that stops answering holds start-up up only for a bounded time.
TEST_F(StartupProgramTest, AHungHotkeyHandlerDoesNotStopTheStart) {
  InstallDefaultSchemeFile();
  SetEnvironmentVariableW(L"ZOK_STANDIN_HANG", L"1");
  StartHotkeyHandler();
  SetEnvironmentVariableW(L"ZOK_STANDIN_HANG", nullptr);
  StartProgram(L"zokcfg.exe");
  HWND window = WaitForProcessWindow(program_->id(), L"Tzokcfg_0", 40000);
  ASSERT_NE(nullptr, window);
  ExpectNumpadHiddenLayout(window, 494);
  EXPECT_EQ(1u, Hellos().size());
}

TEST_F(StartupProgramTest, ASecondStartOfEitherVariantEndsAtOnceAndLeavesTheFirstAlone) {
  InstallDefaultSchemeFile();
  StartProgram(L"zokcfg.exe");
  HWND window = WaitForProcessWindow(program_->id(), L"Tzokcfg_0");
  ASSERT_NE(nullptr, window);
  RECT before{};
  GetWindowRect(window, &before);

  EXPECT_EQ(0, RunAndWait(L"\"" + BinPath(L"zokcfg.exe") + L"\"", 10000));
  EXPECT_EQ(0, RunAndWait(L"\"" + BinPath(L"yevcfg.exe") + L"\"", 10000));

  EXPECT_TRUE(StillRuns(*program_));
  EXPECT_TRUE(IsWindowVisible(window));
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(StartupProgramTest, DefaultFileThatCannotBeCopiedShowsTheBoxAndTheProgramEnds) {
  // No default scheme file in the installation and no user file.
  StartHotkeyHandler();
  StartProgram(L"zokcfg.exe");
  HWND box = WaitForProcessWindow(program_->id(), L"#32770");
  ASSERT_NE(nullptr, box);
  const std::wstring set_file = install_ + L"\\obj0409.set";
  wchar_t caption[256] = {};
  GetWindowTextW(box, caption, 256);
  EXPECT_EQ(ProfileText(set_file, L"msg", L"msg2"), caption);
  EXPECT_NE(nullptr, FindChild(box, nullptr, ProfileText(set_file, L"msg", L"msg17").c_str()));

  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(0, program_->Wait(10000));
  // The sequence ran to its end after the box: the hand-shake still happened.
  EXPECT_EQ(3u, Hellos().size());
  EXPECT_FALSE(FileExists(user_file_));
}

}  // namespace
