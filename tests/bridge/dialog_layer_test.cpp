// The dialog layer's message-map lookup and its telling of own-thread sends from others.
#include <gtest/gtest.h>

#include <vector>

#include "message_map.h"
#include "send_origin.h"

namespace {

// A small map hierarchy to look messages up in.
UINT registered_number = 0xC123;
UINT failed_registration = 0;
const dialog::MessageMapEntry kBaseEntries[] = {
    {WM_INITDIALOG, nullptr, dialog::MessageResult::kReturnValue, dialog::Senders::kAny, nullptr},
    {0x600, nullptr, dialog::MessageResult::kMessageResult, dialog::Senders::kAny, nullptr},
};
const dialog::MessageMap kBaseMap = {nullptr, kBaseEntries, 2};
const dialog::MessageMapEntry kDerivedEntries[] = {
    {0x600, nullptr, dialog::MessageResult::kDefaultProcessing, dialog::Senders::kAny, nullptr},
    {0x600, nullptr, dialog::MessageResult::kReturnValue, dialog::Senders::kAny, nullptr},
    {0, &failed_registration, dialog::MessageResult::kMessageResult, dialog::Senders::kAny, nullptr},
    {0, &registered_number, dialog::MessageResult::kMessageResult, dialog::Senders::kOwnThreadSendOnly, nullptr},
};
const dialog::MessageMap kDerivedMap = {&kBaseMap, kDerivedEntries, 4};

TEST(MessageMapTest, FindsTheFirstEntryInMapOrderThenInTheBase) {
  EXPECT_EQ(&kDerivedEntries[0], dialog::FindMessageEntry(&kDerivedMap, 0x600));
  EXPECT_EQ(&kBaseEntries[0], dialog::FindMessageEntry(&kDerivedMap, WM_INITDIALOG));
  EXPECT_EQ(&kDerivedEntries[3], dialog::FindMessageEntry(&kDerivedMap, 0xC123));
  registered_number = 0xC124;  // the number is read when looked up, not when the map was built
  EXPECT_EQ(nullptr, dialog::FindMessageEntry(&kDerivedMap, 0xC123));
  EXPECT_EQ(&kDerivedEntries[3], dialog::FindMessageEntry(&kDerivedMap, 0xC124));
  EXPECT_EQ(nullptr, dialog::FindMessageEntry(&kDerivedMap, 0));
  EXPECT_EQ(nullptr, dialog::FindMessageEntry(&kDerivedMap, 0x700));
  EXPECT_EQ(nullptr, dialog::FindMessageEntry(nullptr, 0x600));
}

TEST(MessageMapTest, HandlerValueReachesTheSenderOnlyThroughTheMessageResult) {
  dialog::DialogProcAnswer stored = dialog::AnswerFor(dialog::MessageResult::kMessageResult, 7);
  EXPECT_EQ(TRUE, stored.return_value);
  EXPECT_TRUE(stored.store_result);
  EXPECT_EQ(7, stored.message_result);
  dialog::DialogProcAnswer direct = dialog::AnswerFor(dialog::MessageResult::kReturnValue, 0x1234);
  EXPECT_EQ(0x1234, direct.return_value);
  EXPECT_FALSE(direct.store_result);
  dialog::DialogProcAnswer fallthrough = dialog::AnswerFor(dialog::MessageResult::kDefaultProcessing, 1);
  EXPECT_EQ(FALSE, fallthrough.return_value);
  EXPECT_FALSE(fallthrough.store_result);
}

// A window of the test thread that records, for each 0x500, whether it came as a send from
// this thread; 0x502 makes it send 0x500 to itself, as the keyboard library's window does.
std::vector<std::pair<WPARAM, bool>> seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x500) {
    seen.emplace_back(wParam, dialog::TakeSentByThisThread(window, message, wParam, lParam));
    return 1;
  }
  if (message == 0x502) return SendMessageA(window, 0x500, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

struct Sending {
  HWND window;
  UINT message;
  WPARAM wParam;
};

DWORD WINAPI SendFromOtherThread(void* argument) {
  auto* sending = static_cast<Sending*>(argument);
  SendMessageA(sending->window, sending->message, sending->wParam, 0);
  return 0;
}

void SendFromAnotherThreadAndServe(HWND window, UINT message, WPARAM wParam) {
  Sending sending{window, message, wParam};
  HANDLE thread = CreateThread(nullptr, 0, SendFromOtherThread, &sending, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  MSG msg;
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, 5000, QS_ALLINPUT) != WAIT_OBJECT_0)
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // lets the cross-thread send in
  CloseHandle(thread);
}

TEST(SendOriginTest, OnlySendsOfThisThreadCountEvenInsideASendFromAnotherThread) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = RecordingProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "SendOriginProbe";
  ASSERT_TRUE(RegisterClassA(&window_class));
  HWND window = CreateWindowA("SendOriginProbe", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              window_class.hInstance, nullptr);
  ASSERT_NE(nullptr, window);

  SendMessageA(window, 0x500, 1, 0);  // no watch yet: nothing counts
  {
    dialog::SendOriginWatch watch;
    ASSERT_TRUE(watch.active());
    SendMessageA(window, 0x500, 2, 0);
    PostMessageA(window, 0x500, 2, 0);  // same parameters as the send before, but posted
    MSG msg;
    while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    SendFromAnotherThreadAndServe(window, 0x500, 3);
    SendFromAnotherThreadAndServe(window, 0x502, 4);
  }
  SendMessageA(window, 0x500, 5, 0);  // the watch has ended
  DestroyWindow(window);

  const std::vector<std::pair<WPARAM, bool>> expected = {
      {1, false}, {2, true}, {2, false}, {3, false}, {4, true}, {5, false}};
  EXPECT_EQ(expected, seen);
}

}  // namespace
