// The main window's life after start-up, in this process on a work area the test chooses:
// the hot-key handler's numpad message, the display change, fitting with the scroll bar and
// centring.
#include <gtest/gtest.h>

#include "form/work_area.h"
#include "main_window/dialog_windows.h"
#include "main_window/language_select.h"
#include "main_window/main_window.h"
#include "variant.h"

namespace {

constexpr bool kYev = variant::kIsYev;
constexpr UINT kNumPadStateMessage = 0x701;
// Client heights of the panel layout with the numpad group shown and hidden.
const int kShownClient = kYev ? 698 : 712;
const int kHiddenClient = kYev ? 557 : 494;
const int kHiddenCheckBoxTop = kYev ? 494 : 431;
const int kShownButtonTop = kYev ? 667 : 681;

class WindowLifeCycleTest : public ::testing::Test {
 protected:
  void SetUp() override { UseWorkArea(RECT{0, 0, 1024, 768}); }
  void TearDown() override { form::SetWorkAreaSource(nullptr); }
  void UseWorkArea(RECT area) {
    form::SetWorkAreaSource([area] { return area; });
  }
  LRESULT Send(UINT msg, WPARAM wparam) { return SendMessageW(window.Handle(), msg, wparam, 0); }
  void ExpectNumPadGroup(bool shown) {
    EXPECT_EQ(shown, window.GroupBox3->Visible());
    EXPECT_EQ(shown, window.GroupBox3->Enabled());
  }

  form::Application app;
  Tzokcfg_0 window{app};
};

TEST_F(WindowLifeCycleTest, NumPadStateShowsHidesOrOnlyFitsAndShowsTheWindow) {
  EXPECT_EQ(0, Send(kNumPadStateMessage, 1));
  EXPECT_EQ(kShownClient, window.ClientHeight());
  ExpectNumPadGroup(true);
  EXPECT_TRUE(window.Visible());

  EXPECT_EQ(0, Send(kNumPadStateMessage, 0));
  EXPECT_EQ(kHiddenClient, window.ClientHeight());
  ExpectNumPadGroup(false);
  EXPECT_EQ(kHiddenCheckBoxTop, window.CheckBox1->Top());

  // Any other value leaves the group as it is, fits the window again and shows it.
  window.Hide();
  window.SetWidth(300);
  EXPECT_EQ(0, Send(kNumPadStateMessage, 2));
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(kHiddenClient, window.ClientHeight());
  EXPECT_EQ(457, window.Width());
  ExpectNumPadGroup(false);
  // Other messages still reach the inherited dispatch.
  EXPECT_EQ(static_cast<LRESULT>(window.Caption().size()), Send(WM_GETTEXTLENGTH, 0));
}

TEST_F(WindowLifeCycleTest, AShortWorkAreaGetsTheScrollBarAndTheDisplayChangeUndoesIt) {
  UseWorkArea(RECT{0, 0, 1024, 500});
  Send(kNumPadStateMessage, 1);
  EXPECT_EQ(500, window.Height());
  EXPECT_EQ(476, window.Width());
  form::ScrollBar& bar = *window.ScrollBar1;
  EXPECT_TRUE(bar.Visible());
  EXPECT_TRUE(bar.Enabled());
  EXPECT_EQ(451, bar.Left());
  EXPECT_EQ(0, bar.Top());
  EXPECT_EQ(window.ClientHeight(), bar.Height());
  EXPECT_EQ(kShownClient - window.ClientHeight(), bar.Max());
  EXPECT_EQ(0, bar.Position());

  // Scrolled to the end, the bottom buttons end 6 pixels above the client area's lower edge.
  bar.Scroll(SB_BOTTOM);
  EXPECT_EQ(-bar.Max(), window.Panel1->Top());
  for (form::Button* button : {window.BitBtn6, window.BitBtn7, window.BitBtn8, window.BitBtn9})
    EXPECT_EQ(window.ClientHeight() - 6, button->Top() + button->Height());
  // A page is 16 pixels, a line 1; the panel's top always follows the position.
  bar.Scroll(SB_PAGEUP);
  EXPECT_EQ(bar.Max() - 16, bar.Position());
  bar.Scroll(SB_LINEUP);
  EXPECT_EQ(-bar.Position(), window.Panel1->Top());
  EXPECT_EQ(bar.Max() - 17, bar.Position());

  // On a taller display the whole window fits again, scrolling undone.
  UseWorkArea(RECT{0, 0, 1024, 768});
  EXPECT_EQ(0, Send(WM_DISPLAYCHANGE, 32));
  EXPECT_FALSE(bar.Visible());
  EXPECT_FALSE(bar.Enabled());
  EXPECT_EQ(0, window.Panel1->Top());
  EXPECT_EQ(457, window.Width());
  EXPECT_EQ(kShownClient, window.ClientHeight());
  EXPECT_EQ(kShownButtonTop, window.BitBtn6->Top());
}

TEST_F(WindowLifeCycleTest, AWindowExactlyAsTallAsTheWorkAreaFits) {
  Send(kNumPadStateMessage, 1);
  UseWorkArea(RECT{0, 0, 1024, window.Height()});
  Send(WM_DISPLAYCHANGE, 32);
  EXPECT_FALSE(window.ScrollBar1->Visible());
  EXPECT_EQ(kShownClient, window.ClientHeight());
}

TEST_F(WindowLifeCycleTest, EveryResizeCentresOnTheWorkAreasRightAndBottomEdges) {
  // 7 pixels narrower than the window: (450 - 457) / 2 truncates to -3.
  UseWorkArea(RECT{0, 0, 450, 768});
  Send(WM_DISPLAYCHANGE, 32);
  EXPECT_EQ(-3, window.Left());
  EXPECT_EQ((768 - window.Height()) / 2, window.Top());
  // A task bar on the left and one at the top do not move the centre.
  UseWorkArea(RECT{100, 40, 1024, 768});
  window.SetWidth(400);
  EXPECT_EQ((1024 - 400) / 2, window.Left());
  EXPECT_EQ((768 - window.Height()) / 2, window.Top());
}

// Each show hands the language font's name, size and character set to the editing dialogs'
// fonts that exist; their other attributes stay.
TEST_F(WindowLifeCycleTest, ShowGivesTheExistingDialogFontsTheLanguageFont) {
  form::Font first(L"Arial", form::PointsToHeight(9, form::ScreenPixelsPerInch()));
  form::Font third = first;
  third.SetStyle(form::kBold);
  DialogFonts[0] = &first;
  DialogFonts[2] = &third;
  LangFont.SetName(L"Tahoma");
  LangFont.SetSize(12);
  LangFont.SetCharset(CHINESEBIG5_CHARSET);
  window.Show();
  for (form::Font* font : {&first, &third}) {
    EXPECT_EQ(L"Tahoma", font->Name());
    EXPECT_EQ(12, font->Size());
    EXPECT_EQ(CHINESEBIG5_CHARSET, font->Charset());
  }
  EXPECT_EQ(static_cast<unsigned>(form::kBold), third.Style());
  DialogFonts[0] = DialogFonts[2] = nullptr;
  LangFont = form::Font();
}

}  // namespace
