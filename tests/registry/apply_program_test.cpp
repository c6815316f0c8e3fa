// OK, Delete's apply, the tray check box and Help in the running configuration program, with
// the stand-ins of the hot-key handler, the tray-icon program and the help starter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry_keys.h"
#include "scheme_test_files.h"
#include "test_support.h"

using namespace registry_test;
using namespace scheme_tests;
using namespace testing_support;

namespace {

const std::wstring kDataFolder = L"C:\\KVZOK";

std::wstring UserName() {
  wchar_t name[512];
  DWORD size = 512;
  return GetUserNameW(name, &size) ? name : L" ";
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Three schemes of ten keys; key k of scheme s has the caption "S<s>K<k>".
std::string SchemeFile(int current) {
  std::string text = "[global]\r\nscheme=2\r\ncurrent=" + std::to_string(current) +
                     "\r\nnumbutton=10\r\ndefault=0\r\nnumhkbtns=8\r\nnumnumpad=4\r\n";
  for (int s = 0; s <= 2; ++s) {
    text += "[" + std::to_string(s) + "]\r\nschemename=Scheme " + std::to_string(s) + "\r\n";
    for (int k = 0; k < 10; ++k) {
      const std::string n = std::to_string(k);
      text += "function" + n + "=4\r\ncaption" + n + "=S" + std::to_string(s) + "K" + n +
              "\r\nassign" + n + "=~assign\r\nlinkto" + n + "=C:\\s" + std::to_string(s) +
              ".exe\r\nvkey" + n + "=0\r\n";
    }
  }
  return text;
}

const char kLanguageFile[] =
    "[msg]\r\nmsg1=Settings\r\nmsg4=Button themes\r\nmsg16=: guests may not\r\n"
    "msg20=Delete the theme?\r\n"
    "[objects]\r\nBitBtn2_caption=Delete\r\nBitBtn6_caption=OK\r\nBitBtn7_caption=Cancel\r\n"
    "BitBtn8_caption=Help\r\nCheckBox1_caption=Tray icon\r\n";

// What a click or a choice in the control sends to its parent.
void PostNotification(HWND control, WORD code) {
  PostMessageW(GetParent(control), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  for (const auto& line : lines)
    if (line == wanted) return true;
  return false;
}

bool HasLineStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  for (const auto& line : lines)
    if (line.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

class ApplyProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(kDataFolder);
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
    ASSERT_TRUE(CreateDirectoryW(kDataFolder.c_str(), nullptr));
    user_file_ = kDataFolder + L"\\" + UserName() + L".ini";
    install_ = scratch_.File(L"install");
    ASSERT_TRUE(CreateDirectoryW(install_.c_str(), nullptr));
    ASSERT_TRUE(WriteTextFile(install_ + L"\\obj0409.set", kLanguageFile));
    ASSERT_TRUE(WriteTextFile(install_ + L"\\obj0409.bcm", SchemeFile(0)));
    SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", install_);
    scratch_.UseForStandinLogs();
  }
  void TearDown() override {
    program_.reset();
    SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", nullptr);
    RemoveTree(kDataFolder);
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
  }

  // Starts the program on a user file whose active scheme is `current`; its main window.
  HWND StartProgram(int current) {
    EXPECT_TRUE(WriteTextFile(user_file_, SchemeFile(current)));
    return StartProgramOnUserFile();
  }
  HWND StartProgramOnUserFile() {
    program_.reset(new ChildProcess(L"\"" + BinPath(L"zokcfg.exe") + L"\""));
    EXPECT_TRUE(program_->started());
    return WaitForProcessWindow(program_->id(), L"Tzokcfg_0");
  }

  // Start-up has listed the three schemes of the user file.
  static bool SchemesListed(HWND window) {
    HWND schemes = FindChild(window, L"ComboBox", nullptr);
    return schemes && SendMessageW(schemes, CB_GETCOUNT, 0, 0) == 3;
  }

  int StoredCurrent() const {
    return static_cast<int>(GetPrivateProfileIntW(L"global", L"current", -9, user_file_.c_str()));
  }
  static std::wstring MirroredCaption(int key) {
    return ReadValue(HKEY_CURRENT_USER, std::wstring(kConfigKey) + L"\\" + std::to_wstring(key),
                     L"caption")
        .Text();
  }
  // The product's user settings as "reg export" writes them.
  std::string RegistryExport() const {
    const std::wstring file = scratch_.File(L"export.reg");
    DeleteFileW(file.c_str());
    EXPECT_EQ(0, RunAndWait(L"reg.exe export HKCU\\Software\\KV \"" + file + L"\" /y"));
    return ReadFileBytes(file);
  }
  std::vector<std::string> HotkeyLog() const { return ReadLines(scratch_.File(L"ZOKHKEY.log")); }
  bool HotkeyHandlerDone() const { return HasLineStartingWith(HotkeyLog(), "seen mirror"); }

  ScratchFolder scratch_;
  std::wstring user_file_;
  std::wstring install_;
  std::unique_ptr<ChildProcess> program_;
};

TEST_F(ApplyProgramTest, OkAppliesTheChosenSchemeBeforeTheHandlerStartsAndEnds) {
  HWND window = StartProgram(0);
  ASSERT_NE(nullptr, window);
  ASSERT_TRUE(SchemesListed(window));
  HWND schemes = FindChild(window, L"ComboBox", nullptr);
  HWND ok = FindChild(window, L"Button", L"OK");
  ASSERT_NE(nullptr, schemes);
  ASSERT_NE(nullptr, ok);
  // Start-up mirrors the active scheme 0.
  EXPECT_EQ(L"S0K0", MirroredCaption(0));

  SendMessageW(schemes, CB_SETCURSEL, 2, 0);
  PostNotification(schemes, CBN_SELCHANGE);
  PostNotification(ok, BN_CLICKED);
  EXPECT_EQ(0, program_->Wait(15000));

  EXPECT_EQ(2, StoredCurrent());
  EXPECT_EQ(10, SubkeyCount(HKEY_CURRENT_USER, kConfigKey));
  EXPECT_EQ(L"S2K0", MirroredCaption(0));
  EXPECT_EQ(L"S2K9", MirroredCaption(9));
  // The handler, started as "ZOKHKEY.EXE u", found file and mirror already written.
  ASSERT_TRUE(WaitUntil([&] { return HotkeyHandlerDone(); }));
  const auto log = HotkeyLog();
  EXPECT_TRUE(HasLineStartingWith(log, "start cmdline=ZOKHKEY.EXE u "));
  EXPECT_TRUE(HasLine(log, "seen ini=" + Narrow(UserName()) + ".ini current=2"));
  EXPECT_TRUE(HasLine(log, "seen mirror keys=10 caption0=S2K0"));
}

// OK on a user file edited by hand, UTF-16 and ANSI: the file ends byte for byte as the
// platform's own writes of every row (as the platform reads them) and of "current" leave it.
TEST_F(ApplyProgramTest, OkOnAHandEditedFileEqualsThePlatformWrites) {
  const wchar_t* fields[] = {L"caption", L"assign", L"function", L"vkey", L"linkto"};
  const wchar_t* defaults[] = {L"~caption", L"~assign", L"0", L"0", L"~linkto"};
  for (FileEncoding encoding : {FileEncoding::kUtf16, FileEncoding::kAnsi}) {
    ASSERT_TRUE(WriteSchemeFile(user_file_, HandEditedSchemes(encoding), encoding));
    const std::wstring expected = scratch_.File(L"platform.ini");
    ASSERT_TRUE(CopyFileW(user_file_.c_str(), expected.c_str(), FALSE));
    std::vector<std::vector<std::wstring>> rows(6);
    for (int row = 0; row < 6; ++row)
      for (int f = 0; f < 5; ++f)
        rows[row].push_back(PlatformRead(expected, std::to_wstring(row / 2),
                                         fields[f] + std::to_wstring(row % 2), defaults[f]));
    for (int row = 0; row < 6; ++row)
      PlatformSaveRow(expected, std::to_wstring(row / 2), row % 2, rows[row]);
    PlatformWrite(expected, L"global", L"current", L"2");

    HWND window = StartProgramOnUserFile();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(SchemesListed(window));
    HWND schemes = FindChild(window, L"ComboBox", nullptr);
    SendMessageW(schemes, CB_SETCURSEL, 2, 0);
    PostNotification(schemes, CBN_SELCHANGE);
    PostNotification(FindChild(window, L"Button", L"OK"), BN_CLICKED);
    EXPECT_EQ(0, program_->Wait(15000));
    EXPECT_EQ(ReadFileBytes(expected), ReadFileBytes(user_file_));
  }
}

TEST_F(ApplyProgramTest, DeletingTheActiveSchemeAppliesAndKeepsTheWindow) {
  HWND window = StartProgram(2);
  ASSERT_NE(nullptr, window);
  ASSERT_TRUE(SchemesListed(window));
  HWND schemes = FindChild(window, L"ComboBox", nullptr);
  HWND remove = FindChild(window, L"Button", L"Delete");
  ASSERT_NE(nullptr, schemes);
  ASSERT_NE(nullptr, remove);
  ASSERT_EQ(2, SendMessageW(schemes, CB_GETCURSEL, 0, 0));

  PostNotification(remove, BN_CLICKED);
  HWND question = WaitForProcessWindow(program_->id(), L"#32770");
  ASSERT_NE(nullptr, question);
  PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

  ASSERT_TRUE(WaitUntil([&] { return HotkeyHandlerDone(); }, 15000));
  EXPECT_EQ(1, StoredCurrent());
  EXPECT_EQ(L"S1K0", MirroredCaption(0));
  const auto log = HotkeyLog();
  EXPECT_TRUE(HasLine(log, "seen ini=" + Narrow(UserName()) + ".ini current=1"));
  EXPECT_TRUE(HasLine(log, "seen mirror keys=10 caption0=S1K0"));
  // The program goes on with its window.
  EXPECT_EQ(-1, program_->Wait(500));
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(ApplyProgramTest, CancelEndsWithoutWritingOrStarting) {
  HWND window = StartProgram(0);
  ASSERT_NE(nullptr, window);
  ASSERT_TRUE(SchemesListed(window));
  const std::string file = ReadFileBytes(user_file_);
  const std::string registry = RegistryExport();
  ASSERT_NE(std::string::npos, registry.find(std::string("S\0" "0\0K\0" "9", 7)));  // UTF-16 "S0K9"
  // A choice that OK would apply, then Cancel.
  HWND schemes = FindChild(window, L"ComboBox", nullptr);
  HWND cancel = FindChild(window, L"Button", L"Cancel");
  ASSERT_NE(nullptr, cancel);
  SendMessageW(schemes, CB_SETCURSEL, 2, 0);
  PostNotification(schemes, CBN_SELCHANGE);
  PostNotification(cancel, BN_CLICKED);
  EXPECT_EQ(0, program_->Wait(15000));

  EXPECT_EQ(file, ReadFileBytes(user_file_));
  EXPECT_EQ(registry, RegistryExport());
  Sleep(500);  // a hot-key handler started by mistake would have logged by now
  EXPECT_TRUE(HotkeyLog().empty());
}

TEST_F(ApplyProgramTest, TrayBoxReachesTheTrayProgramAndTheSetting) {
  {
    // Without the tray program: the click is stored.
    HWND window = StartProgram(0);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(SchemesListed(window));
    HWND box = FindChild(window, L"Button", L"Tray icon");
    ASSERT_NE(nullptr, box);
    PostNotification(box, BN_CLICKED);
    EXPECT_TRUE(WaitUntil([] {
      return ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword() == 1;
    }));
    program_.reset();
  }
  // With it: the stored 1 checks the box at start-up (message 1), a click unchecks it.
  ChildProcess tray(L"\"" + BinPath(L"TrayWarden.exe") + L"\"");
  ASSERT_NE(nullptr, WaitForWindow("TForm1", "TrayWarden"));
  HWND window = StartProgram(0);
  ASSERT_NE(nullptr, window);
  HWND box = FindChild(window, L"Button", L"Tray icon");
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(BST_CHECKED, SendMessageW(box, BM_GETCHECK, 0, 0));
  PostNotification(box, BN_CLICKED);

  const std::wstring log = scratch_.File(L"TrayWarden.log");
  ASSERT_TRUE(WaitUntil([&] { return ReadLoggedMessages(log).size() >= 2; }));
  const auto messages = ReadLoggedMessages(log);
  ASSERT_EQ(2u, messages.size());
  EXPECT_EQ(0x602u, messages[0].msg);
  EXPECT_EQ(1u, messages[0].wparam);
  EXPECT_EQ(0x602u, messages[1].msg);
  EXPECT_EQ(0u, messages[1].wparam);
  EXPECT_TRUE(WaitUntil([] {
    return ReadValue(HKEY_CURRENT_USER, kConfigKey, L"trayicon").Dword() == 0;
  }));
}

TEST_F(ApplyProgramTest, HelpStartsTheStarterOfTheInstallFolder) {
  ASSERT_TRUE(CopyFileW(BinPath(L"HelpStarter.exe").c_str(),
                        (install_ + L"\\HelpStarter.exe").c_str(), FALSE));
  SetEnvironmentVariableW(L"ZOK_STANDIN_LOG_DIR", nullptr);  // logs beside the copy that runs
  HWND window = StartProgram(0);
  ASSERT_NE(nullptr, window);
  ASSERT_TRUE(SchemesListed(window));
  HWND help = FindChild(window, L"Button", L"Help");
  ASSERT_NE(nullptr, help);
  PostNotification(help, BN_CLICKED);

  const std::wstring log = install_ + L"\\HelpStarter.log";
  ASSERT_TRUE(WaitUntil([&] { return !ReadLines(log).empty(); }));
  EXPECT_NE(std::string::npos, ReadLines(log)[0].find(" cwd=" + Narrow(install_)));
  EXPECT_EQ(-1, program_->Wait(200));  // Help does not end the program
}

}  // namespace
