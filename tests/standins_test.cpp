// The stand-ins of the outside programs log what reaches them, so other tests can rely on them.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace testing_support;

namespace {

std::wstring Quoted(const std::wstring& file) { return L"\"" + BinPath(file) + L"\""; }

bool HasLineStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  for (const auto& line : lines)
    if (line.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

TEST(StandinsTest, HotKeyHandlerLogsMessagesWithTheirParameters) {
  ScratchFolder logs;
  logs.UseForStandinLogs();
  ChildProcess handler(Quoted(L"ZOKHKEY.exe"));
  ASSERT_TRUE(handler.started());
  HWND window = WaitForWindow("AfxFrameOrView42sud", "ZOKHKWND");
  ASSERT_NE(nullptr, window);
  SendMessageA(window, 0x702, 0, 0x1234);
  PostMessageA(window, 0x500, 3, 0x33221105);
  std::wstring log = logs.File(L"ZOKHKEY.log");
  ASSERT_TRUE(WaitUntil([&] { return ReadLoggedMessages(log).size() >= 2; }));
  auto messages = ReadLoggedMessages(log);
  EXPECT_EQ(0x702u, messages[0].msg);
  EXPECT_EQ(0u, messages[0].wparam);
  EXPECT_EQ(0x1234u, messages[0].lparam);
  EXPECT_EQ(0x500u, messages[1].msg);
  EXPECT_EQ(3u, messages[1].wparam);
  EXPECT_EQ(0x33221105u, messages[1].lparam);
  EXPECT_LE(messages[0].micros, messages[1].micros);
}

TEST(StandinsTest, HotKeyHandlerAnswersHelloWithNumPadState) {
  ScratchFolder logs;
  logs.UseForStandinLogs();
  SetEnvironmentVariableW(L"ZOK_STANDIN_NUMPAD", L"1");
  ChildProcess handler(Quoted(L"ZOKHKEY.exe"));
  SetEnvironmentVariableW(L"ZOK_STANDIN_NUMPAD", nullptr);
  HWND window = WaitForWindow("AfxFrameOrView42sud", "ZOKHKWND");
  ASSERT_NE(nullptr, window);

  // Our own window plays the configuration program and receives the answer.
  HWND receiver = CreateWindowA("STATIC", "receiver", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, receiver);
  SendMessageA(window, 0x702, 0, reinterpret_cast<LPARAM>(receiver));
  MSG m = {};
  bool answered = WaitUntil([&] {
    return PeekMessageA(&m, receiver, 0x701, 0x701, PM_REMOVE) != 0;
  }, 5000);
  DestroyWindow(receiver);
  ASSERT_TRUE(answered);
  EXPECT_EQ(1u, m.wParam);
}

TEST(StandinsTest, HotKeyHandlerStartedWithUpdateLogsWhatItSees) {
  ScratchFolder logs;
  logs.UseForStandinLogs();
  EXPECT_EQ(0, RunAndWait(Quoted(L"ZOKHKEY.exe") + L" u"));
  auto lines = ReadLines(logs.File(L"ZOKHKEY.log"));
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(std::string::npos, lines[0].find(" u cwd=")) << lines[0];
  EXPECT_TRUE(HasLineStartingWith(lines, "seen ini="));
  EXPECT_TRUE(HasLineStartingWith(lines, "seen mirror"));
}

TEST(StandinsTest, TrayWardenLogsMessages) {
  ScratchFolder logs;
  logs.UseForStandinLogs();
  ChildProcess tray(Quoted(L"TrayWarden.exe"));
  HWND window = WaitForWindow("TForm1", "TrayWarden");
  ASSERT_NE(nullptr, window);
  PostMessageA(window, 0x602, 1, 0);
  std::wstring log = logs.File(L"TrayWarden.log");
  ASSERT_TRUE(WaitUntil([&] { return !ReadLoggedMessages(log).empty(); }));
  EXPECT_EQ(0x602u, ReadLoggedMessages(log)[0].msg);
  EXPECT_EQ(1u, ReadLoggedMessages(log)[0].wparam);
}

TEST(StandinsTest, HelpStarterLogsCommandLineAndWorkingFolder) {
  ScratchFolder logs;
  logs.UseForStandinLogs();
  EXPECT_EQ(0, RunAndWait(Quoted(L"HelpStarter.exe") + L" topic", 20000, logs.path().c_str()));
  auto lines = ReadLines(logs.File(L"HelpStarter.log"));
  ASSERT_EQ(1u, lines.size());
  EXPECT_NE(std::string::npos, lines[0].find("HelpStarter.exe\" topic cwd="));
  EXPECT_NE(std::string::npos, lines[0].find("zoktest-"));
}

}  // namespace
