// The dialog layer's message-map lookup and its telling of a relayed send from others.
#include <gtest/gtest.h>

#include <vector>

#include "message_map.h"
#include "relayed_send.h"

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
    {0, &registered_number, dialog::MessageResult::kMessageResult, dialog::Senders::kRelayedOnly, nullptr},
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

// Two windows of the test thread: the relaying one answers 0x502 by sending 0x500 with the
// low word of its wParam and the same lParam to the recording one, twice, as the keyboard
// library's window hands a reader report on to the bridge's dialog; the recording one
// records, for each 0x500, whether it counts as that relay.
HWND recorder = nullptr;
std::vector<std::pair<WPARAM, bool>> seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x500) {
    seen.emplace_back(wParam, dialog::TakeRelayed(wParam, lParam));
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK RelayingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x502) {
    SendMessageA(recorder, 0x500, LOWORD(wParam), lParam);
    return SendMessageA(recorder, 0x500, LOWORD(wParam), lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

struct Sending {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

DWORD WINAPI SendFromOtherThread(void* argument) {
  auto* sending = static_cast<Sending*>(argument);
  SendMessageA(sending->window, sending->message, sending->wParam, sending->lParam);
  return 0;
}

void SendFromAnotherThreadAndServe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Sending sending{window, message, wParam, lParam};
  HANDLE thread = CreateThread(nullptr, 0, SendFromOtherThread, &sending, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  MSG msg;
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, 5000, QS_ALLINPUT) != WAIT_OBJECT_0)
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // lets the cross-thread send in
  CloseHandle(thread);
}

HWND MakeWindow(const char* name, WNDPROC procedure) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = name;
  RegisterClassA(&window_class);
  return CreateWindowA(name, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, window_class.hInstance,
                       nullptr);
}

TEST(RelayWatchTest, OnlyTheWatchedWindowsRelayCountsAndOnlyOnce) {
  recorder = MakeWindow("RelayRecorder", RecordingProc);
  HWND relaying = MakeWindow("RelaySource", RelayingProc);
  ASSERT_NE(nullptr, recorder);
  ASSERT_NE(nullptr, relaying);

  SendMessageA(relaying, 0x502, 1, 0x11);  // no watch yet: nothing counts
  {
    dialog::RelayWatch watch;
    ASSERT_TRUE(watch.Watch(relaying, 0x502));
    dialog::RelayWatch second;
    EXPECT_FALSE(second.Watch(recorder, 0x502)) << "one watch per thread";
    SendMessageA(recorder, 0x500, 2, 0x22);  // sent by this thread, but not relayed
    PostMessageA(recorder, 0x500, 2, 0x22);
    MSG msg;
    while (PeekMessageA(&msg, recorder, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    SendFromAnotherThreadAndServe(recorder, 0x500, 3, 0x33);
    SendFromAnotherThreadAndServe(relaying, 0x502, 0x10004, 0x44);
  }
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(RelayingProc), GetWindowLongPtrA(relaying, GWLP_WNDPROC));
  SendMessageA(relaying, 0x502, 5, 0x55);  // the watch has ended
  DestroyWindow(relaying);
  DestroyWindow(recorder);

  const std::vector<std::pair<WPARAM, bool>> expected = {
      {1, false}, {1, false}, {2, false}, {2, false}, {3, false},
      {4, true},  {4, false}, {5, false}, {5, false}};
  EXPECT_EQ(expected, seen);
}

}  // namespace
