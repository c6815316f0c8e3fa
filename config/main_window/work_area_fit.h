// Fitting the main window into the desktop work area: the whole content when the window fits
// below the work area's bottom edge, otherwise a window as tall as that edge with a vertical
// scroll bar beside the panel.
#pragma once

struct FitInput {
  int panel_width = 0;
  int needed_client_height = 0;  // panel height + OK height + 12
  int frame_height = 0;          // outer height - client height
  int scroll_bar_width = 0;
  int work_area_bottom = 0;      // only the bottom edge counts
};

struct WorkAreaFit {
  bool scrolling = false;
  int window_width = 0;      // outer
  int window_height = 0;     // outer
  int client_height = 0;
  int scroll_bar_left = 0;   // meaningful when scrolling
  int scroll_maximum = 0;    // needed client height - client height, when scrolling
};

// An outer height equal to the work area's bottom edge still fits.
WorkAreaFit ComputeWorkAreaFit(const FitInput& input);
