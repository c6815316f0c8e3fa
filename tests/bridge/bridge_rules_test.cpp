// The bridge's window-free rules.
#include <gtest/gtest.h>

#include "application.h"
#include "bridge_rules.h"

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
  EXPECT_EQ(0x33221105u, contracts::ReportFirstFourBytes(report));
  const unsigned char high[4] = {0xFF, 0x00, 0x80, 0xFE};
  EXPECT_EQ(0xFE8000FFu, contracts::ReportFirstFourBytes(high));
}

}  // namespace
