// The main window's panel layout and its centring on the work area.
#include <gtest/gtest.h>

#include "main_window/panel_layout.h"
#include "main_window/window_centring.h"

namespace {

// The stored heights of each variant: logo labels 20, GroupBox1 56, CheckBox1 17, OK 25.
PanelHeights StoredHeights(bool yev) {
  PanelHeights heights;
  heights.logo_label1 = 20;
  heights.logo_label2 = 20;
  heights.scheme_group = 56;
  heights.key_group = yev ? 359 : 296;
  heights.numpad_group = yev ? 141 : 218;
  heights.check_box = 17;
  heights.ok_button = 25;
  return heights;
}

struct Expected {
  bool yev;
  bool shown;
  int panel, check_box, buttons, client;
};

TEST(PanelLayoutTest, BothVariantsWithTheNumpadGroupHiddenAndShown) {
  const Expected table[] = {
      {true, false, 520, 494, 526, 557},
      {true, true, 661, 635, 667, 698},
      {false, false, 457, 431, 463, 494},
      {false, true, 675, 649, 681, 712},
  };
  for (const Expected& row : table) {
    SCOPED_TRACE(std::string(row.yev ? "YEV" : "ZOK") + (row.shown ? " shown" : " hidden"));
    const PanelLayout layout = ComputePanelLayout(StoredHeights(row.yev), row.shown);
    EXPECT_EQ(row.panel, layout.panel_height);
    EXPECT_EQ(row.check_box, layout.check_box_top);
    EXPECT_EQ(row.buttons, layout.button_top);
    EXPECT_EQ(row.client, layout.client_height);
  }
}

TEST(PanelLayoutTest, FollowsTheHeightsItIsGiven) {
  // A taller language font makes taller labels and groups: the panel grows with them and the
  // hidden numpad group never counts.
  PanelHeights heights = StoredHeights(false);
  heights.logo_label1 = 30;
  heights.ok_button = 40;
  heights.numpad_group = 1000;
  const PanelLayout layout = ComputePanelLayout(heights, false);
  EXPECT_EQ(467, layout.panel_height);
  EXPECT_EQ(441, layout.check_box_top);
  EXPECT_EQ(473, layout.button_top);
  EXPECT_EQ(519, layout.client_height);
}

TEST(CentringTest, UsesOnlyTheRightAndBottomEdgesAndTruncatesTowardZero) {
  // A window 7 pixels wider than the work area: -7 / 2 gives -3, not -4.
  POINT origin = CentredOrigin(RECT{0, 0, 800, 600}, 807, 500);
  EXPECT_EQ(-3, origin.x);
  EXPECT_EQ(50, origin.y);
  origin = CentredOrigin(RECT{0, 0, 800, 600}, 800, 603);
  EXPECT_EQ(0, origin.x);
  EXPECT_EQ(-1, origin.y);
  // A task bar on the left and one at the top do not shift the centre.
  origin = CentredOrigin(RECT{100, 40, 1024, 768}, 457, 530);
  EXPECT_EQ(283, origin.x);
  EXPECT_EQ(119, origin.y);
}

}  // namespace
