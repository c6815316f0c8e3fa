// KeyBridge.exe as a real process with the library beside it: single instance, the "q"
// request, the self-hiding dialog and what each message gives its sender.
#include <gtest/gtest.h>

#include "test_support.h"

using namespace testing_support;

namespace {

const char kDialogClass[] = "#32770";
const char kDialogTitle[] = "KeyBridge";

std::wstring Bridge(const std::wstring& arguments = L"") {
  std::wstring line = L"\"" + BinPath(L"KeyBridge.exe") + L"\"";
  return arguments.empty() ? line : line + L" " + arguments;
}

// The value a message sent from this process gets, or -1 when the send fails or hangs.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

TEST(KeyBridgeProcessTest, OnlyALowerCaseQStopsTheRunningCopy) {
  // "q" with no copy running: ends at once without a window.
  EXPECT_EQ(0, RunAndWait(Bridge(L"q"), 10000));
  EXPECT_EQ(nullptr, FindWindowA(kDialogClass, kDialogTitle));

  ChildProcess first(Bridge());
  HWND window = WaitForWindow(kDialogClass, kDialogTitle);
  ASSERT_NE(nullptr, window);
  // Further copies end at once (a copy that ran a dialog of its own would time out) ...
  EXPECT_EQ(0, RunAndWait(Bridge(), 10000));
  EXPECT_EQ(0, RunAndWait(Bridge(L"Q"), 10000));
  EXPECT_EQ(0, RunAndWait(Bridge(L"x q"), 10000));
  // ... and leave the first running.
  EXPECT_EQ(-1, first.Wait(500));
  EXPECT_EQ(window, FindWindowA(kDialogClass, kDialogTitle));

  EXPECT_EQ(0, RunAndWait(Bridge(L"quit"), 10000));
  EXPECT_EQ(0, first.Wait(10000));
  EXPECT_EQ(nullptr, FindWindowA(kDialogClass, kDialogTitle));
}

TEST(KeyBridgeProcessTest, ClosingTheDialogEndsTheProgram) {
  ChildProcess bridge(Bridge());
  HWND window = WaitForWindow(kDialogClass, kDialogTitle);
  ASSERT_NE(nullptr, window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, bridge.Wait(10000));
}

TEST(KeyBridgeProcessTest, DialogHidesOnEveryPaintAndGivesEachSenderItsResult) {
  ScratchFolder logs;
  logs.UseForStandinLogs();
  ChildProcess handler(L"\"" + BinPath(L"ZOKHKEY.exe") + L"\"");
  ASSERT_NE(nullptr, WaitForWindow("AfxFrameOrView42sud", "ZOKHKWND"));
  ChildProcess bridge(Bridge());
  HWND window = WaitForWindow(kDialogClass, kDialogTitle);
  ASSERT_NE(nullptr, window);

  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 5000));
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 5000));

  UINT connect = RegisterWindowMessageA("ZOKKBDPNPCONNECT");
  EXPECT_EQ(7, Send(window, connect, 7, 0));
  EXPECT_EQ(1, Send(window, connect, 0, 0));
  EXPECT_EQ(1, Send(window, 0x702, 0, 0));
  EXPECT_EQ(1, Send(window, 0x600, 0, 0));
  EXPECT_EQ(1, Send(window, 0x700, 0, 0));
  for (WPARAM event : {0u, 4u, 18u, 7u, 2u, 6u, 30u})
    EXPECT_EQ(TRUE, Send(window, WM_POWERBROADCAST, event, 0)) << "event " << event;
  EXPECT_NE(0, Send(window, WM_QUERYDRAGICON, 0, 0));

  // A key report sent or posted from another process carries an address the bridge cannot
  // read: it is ignored, not forwarded, and the bridge goes on.
  EXPECT_EQ(0, Send(window, 0x500, 3, 0x10));
  PostMessageA(window, 0x500, 3, 0x10);
  SendNotifyMessageA(window, 0x500, 3, 0x20);
  EXPECT_EQ(1, Send(window, 0x702, 0, 0));  // still answering, after the posted ones
  EXPECT_EQ(-1, bridge.Wait(200));
  for (const LoggedMessage& m : ReadLoggedMessages(logs.File(L"ZOKHKEY.log")))
    EXPECT_NE(0x500u, m.msg) << "forwarded a foreign report";
}

TEST(KeyBridgeProcessTest, WithoutTheLibraryTheProgramDoesNotStart) {
  ScratchFolder alone;
  std::wstring copy = alone.File(L"KeyBridge.exe");
  ASSERT_TRUE(CopyFileW(BinPath(L"KeyBridge.exe").c_str(), copy.c_str(), FALSE));
  long code = RunAndWait(L"\"" + copy + L"\"", 10000, alone.path().c_str());
  EXPECT_NE(0, code);
  EXPECT_NE(-1, code);
  EXPECT_EQ(nullptr, FindWindowA(kDialogClass, kDialogTitle));
}

}  // namespace
