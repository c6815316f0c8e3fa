// The bridge's window-free rules and the message-map lookup of the dialog layer.
#include <gtest/gtest.h>

#include "application.h"
#include "bridge_rules.h"
#include "message_map.h"

namespace {

using bridge::PowerAction;

TEST(BridgeRulesTest, OnlyALowerCaseQAfterTheProgramNameAsksToQuit) {
  EXPECT_TRUE(bridge::AsksToQuit(dialog::SkipProgramName("KeyBridge.exe q")));
  EXPECT_TRUE(bridge::AsksToQuit(dialog::SkipProgramName("KeyBridge.exe \t quit")));
  EXPECT_TRUE(bridge::AsksToQuit(dialog::SkipProgramName("\"C:\\Program Files\\KV ZOK\\KeyBridge.exe\" q")));
  EXPECT_FALSE(bridge::AsksToQuit(dialog::SkipProgramName("\"C:\\Program Files\\q\\KeyBridge.exe\"")));
  EXPECT_FALSE(bridge::AsksToQuit(dialog::SkipProgramName("C:\\q\\KeyBridge.exe")));
  EXPECT_FALSE(bridge::AsksToQuit(dialog::SkipProgramName("KeyBridge.exe Q")));
  EXPECT_FALSE(bridge::AsksToQuit(dialog::SkipProgramName("KeyBridge.exe xq")));
  EXPECT_FALSE(bridge::AsksToQuit(dialog::SkipProgramName("KeyBridge.exe")));
  EXPECT_FALSE(bridge::AsksToQuit(dialog::SkipProgramName("\"KeyBridge.exe")));
  EXPECT_STREQ("a b", dialog::SkipProgramName("\"x y.exe\"a b"));
}

TEST(BridgeRulesTest, PowerEventsRemoveOrEnumerateAsTheTableSays) {
  for (WPARAM event = 0; event <= 40; ++event) {
    PowerAction expected = PowerAction::kNothing;
    if (event == 0 || event == 18) expected = PowerAction::kRemoveDevice;
    if (event == 2 || event == 6 || event == 7) expected = PowerAction::kDeviceArrival;
    EXPECT_EQ(expected, bridge::ActionForPowerEvent(event)) << "event " << event;
  }
}

TEST(BridgeRulesTest, ForwardedValueIsTheFirstFourReportBytesLittleEndian) {
  const unsigned char report[32] = {0x05, 0x11, 0x22, 0x33, 0x44, 0x55};
  EXPECT_EQ(0x33221105u, static_cast<DWORD>(bridge::ForwardedKeyValue(report)));
  const unsigned char high[4] = {0xFF, 0x00, 0x80, 0xFE};
  EXPECT_EQ(0xFE8000FFu, static_cast<DWORD>(bridge::ForwardedKeyValue(high)));
}

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

}  // namespace
