// The main window's panel layout and its centring on the work area, and the About dialog's
// centring by halves.
#include <gtest/gtest.h>

#include "dialogs/about_dialog.h"
#include "dialogs/dialog_frame.h"
#include "form/application.h"
#include "form/work_area.h"
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

// About halves each term: right / 2 - width / 2. With an odd size that differs by one from
// halving the difference, and a work area that does not start at 0 does not shift it.
TEST(CentringTest, AboutHalvesEachTermOnAWorkAreaAwayFromTheCorner) {
  POINT origin = HalvedCentredOrigin(RECT{120, 40, 1024, 768}, 383, 301);
  EXPECT_EQ(321, origin.x);
  EXPECT_EQ(234, origin.y);

  form::Application app;
  Tzokcfg_4 about(app);
  about.RunCreate();
  ASSERT_EQ(382, about.Width());
  ASSERT_EQ(365, about.Height());  // odd: the top tells the two rules apart
  form::SetWorkAreaSource([] { return RECT{100, 50, 1280, 1000}; });
  about.Show();
  form::SetWorkAreaSource(nullptr);
  EXPECT_EQ(449, about.Left());
  EXPECT_EQ(318, about.Top());
}

}  // namespace
