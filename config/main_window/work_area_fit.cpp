#include "main_window/work_area_fit.h"

#include "form/work_area.h"
#include "main_window/main_window.h"

namespace {
constexpr int kPlainWidthExtra = 7;       // frame around the panel without the scroll bar
constexpr int kScrollingWidthExtra = 10;  // frame around the panel and the scroll bar
constexpr int kBottomMargin = 12;         // button gap plus the margin under the buttons
constexpr int kButtonGap = 6;             // bottom buttons below the panel
constexpr int kCheckBoxRise = 26;         // check box top above the panel's lower edge
constexpr int kScrollLineStep = 1;
constexpr int kScrollPageStep = 16;
}  // namespace

WorkAreaFit ComputeWorkAreaFit(const FitInput& input) {
  WorkAreaFit fit;
  const int outer_height = input.needed_client_height + input.frame_height;
  fit.scrolling = outer_height > input.work_area_bottom;
  if (!fit.scrolling) {
    fit.window_width = input.panel_width + kPlainWidthExtra;
    fit.window_height = outer_height;
    fit.client_height = input.needed_client_height;
    return fit;
  }
  fit.window_width = input.panel_width + input.scroll_bar_width + kScrollingWidthExtra;
  fit.window_height = input.work_area_bottom;
  fit.client_height = input.work_area_bottom - input.frame_height;
  fit.scroll_bar_left = input.panel_width + 1;
  fit.scroll_maximum = input.needed_client_height - fit.client_height;
  return fit;
}

namespace {

void PlaceBottomButtons(Tzokcfg_0& window, int top) {
  for (form::Button* button : {window.BitBtn6, window.BitBtn7, window.BitBtn8, window.BitBtn9})
    button->SetTop(top);
}

}  // namespace

void Tzokcfg_0::FitToWorkArea() {
  const RECT work_area = form::WorkArea();
  Panel1->SetTop(0);
  const int needed = Panel1->Height() + BitBtn6->Height() + kBottomMargin;
  SetClientHeight(needed);
  FitInput input;
  input.panel_width = Panel1->Width();
  input.needed_client_height = needed;
  input.frame_height = Height() - ClientHeight();
  input.scroll_bar_width = ScrollBar1->Width();
  input.work_area_bottom = work_area.bottom;
  const WorkAreaFit fit = ComputeWorkAreaFit(input);
  if (fit.scrolling) {
    SetHeight(fit.window_height);
    ScrollBar1->SetEnabled(true);
    ScrollBar1->Show();
    ScrollBar1->SetTop(0);
    ScrollBar1->SetHeight(ClientHeight());
    ScrollBar1->SetLeft(fit.scroll_bar_left);
    SetWidth(fit.window_width);
    ScrollBar1->SetMax(needed - ClientHeight());
    ScrollBar1->SetPosition(0);
  } else {
    ScrollBar1->SetEnabled(false);
    ScrollBar1->Hide();
    SetWidth(fit.window_width);
    SetClientHeight(needed);
  }
  CheckBox1->SetTop(Panel1->Height() - kCheckBoxRise);
  PlaceBottomButtons(*this, Panel1->Height() + kButtonGap);
}

// Every scroll action moves the panel and the bottom buttons up by the new position; the
// position itself stays as the scroll bar gives it.
void Tzokcfg_0::ScrollBar1Scroll(form::Component&, int, int& position) {
  ScrollBar1->SetMin(0);
  ScrollBar1->SetSmallChange(kScrollLineStep);
  ScrollBar1->SetLargeChange(kScrollPageStep);
  Panel1->SetTop(-position);
  PlaceBottomButtons(*this, Panel1->Top() + Panel1->Height() + kButtonGap);
}
