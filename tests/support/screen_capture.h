// The screen's pixels under a window, saved as BMP for the screenshots of a test run.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Top row first, as 0x00RRGGBB.
struct Capture {
  int width = 0, height = 0;
  POINT client_origin{};  // where the client area's (0, 0) lies in the capture
  std::vector<unsigned> pixels;

  unsigned At(int client_x, int client_y) const {
    int x = client_origin.x + client_x, y = client_origin.y + client_y;
    return pixels[static_cast<size_t>(y) * width + x];
  }
};

// The window's own surface, whatever other windows on the display cover it.
Capture CaptureWindow(HWND window);
// A 24-bit BMP file.
bool SaveBmp(const Capture& capture, const std::wstring& path);
// The build's screenshot folder (beside bin), created when missing.
std::wstring ScreenshotFolder();

}  // namespace testing_support
