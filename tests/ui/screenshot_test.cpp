// The main window as stored, shown on the Xvfb display: saved as a screenshot
// (screenshots/<program>.bmp beside the build's bin folder) and checked in pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "main_window/main_window.h"
#include "screen_capture.h"
#include "test_support.h"
#include "variant.h"

using testing_support::Capture;
using testing_support::CaptureWindow;
using testing_support::SaveBmp;

namespace {

constexpr bool kYev = variant::kIsYev;

unsigned Rgb(COLORREF colour) { return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour); }

bool Near(unsigned a, unsigned b) {
  const int tolerance = 12;
  for (int shift = 0; shift <= 16; shift += 8) {
    int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (difference > tolerance || difference < -tolerance) return false;
  }
  return true;
}

bool Dark(unsigned pixel) {
  return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) < 3 * 110;
}

class ScreenshotTest : public ::testing::Test {
 protected:
  // A button at (left, top, width, height) of the client area: its right and bottom edges are
  // dark, the pixels just outside them are button face.
  void ExpectButtonAt(const Capture& capture, const char* what, int left, int top, int width, int height) {
    SCOPED_TRACE(what);
    const unsigned face = Rgb(GetSysColor(COLOR_BTNFACE));
    EXPECT_PRED1(Dark, capture.At(left + width - 1, top + height / 2));
    EXPECT_PRED1(Dark, capture.At(left + width / 3, top + height - 1));
    EXPECT_PRED2(Near, face, capture.At(left + width + 1, top + height / 2));
    EXPECT_PRED2(Near, face, capture.At(left + width / 3, top + height + 1));
    EXPECT_PRED2(Near, face, capture.At(left - 2, top + height / 2));
  }
  // A stored key picture at (left, top) of the client area: the dark key cap with its lighter
  // top face.
  void ExpectKeyPictureAt(const Capture& capture, const char* what, int left, int top) {
    SCOPED_TRACE(what);
    EXPECT_PRED2(Near, 0x34495Eu, capture.At(left + 5, top + 20));  // the cap's top face
    EXPECT_PRED2(Near, 0x1C2833u, capture.At(left + 16, top + 29));  // its dark rim
  }

  form::Application app;
};

TEST_F(ScreenshotTest, MainWindowAsStored) {
  Tzokcfg_0 window(app);
  window.Show();
  for (int i = 0; i < 40; ++i) {
    app.ProcessMessages();
    Sleep(25);
  }
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  app.ProcessMessages();
  Sleep(200);
  Capture capture = CaptureWindow(window.Handle());
  ASSERT_GT(capture.width, 449);
  ASSERT_GT(capture.height, 691);

  const std::wstring folder = testing_support::ScreenshotFolder();
  std::string program = variant::kConfigProgram;
  EXPECT_TRUE(SaveBmp(capture, folder + L"\\" + std::wstring(program.begin(), program.end()) + L".bmp"));

  // The bottom row of buttons as stored.
  ExpectButtonAt(capture, "OK", 180, 662, 85, 25);
  ExpectButtonAt(capture, "Cancel", 270, 662, 85, 25);
  ExpectButtonAt(capture, "About", 6, 662, 95, 25);
  // The scheme list's white field inside GroupBox1 (10, 48) + (4, 23).
  EXPECT_PRED2(Near, Rgb(GetSysColor(COLOR_WINDOW)), capture.At(14 + 100, 71 + 9));
  // The numpad group's Configure button and key pictures of the first rows of both groups.
  if (kYev) {
    ExpectButtonAt(capture, "BitBtn5", 12 + 295, 488 + 105, 125, 25);
    ExpectKeyPictureAt(capture, "Image10", 12 + 30, 488 + 21);
  } else {
    ExpectButtonAt(capture, "BitBtn5", 12 + 295, 412 + 184, 125, 25);
    ExpectKeyPictureAt(capture, "Image10", 12 + 30, 412 + 100);
  }
  ExpectKeyPictureAt(capture, "Image1", 10 + 30, 112 + 20);
}

}  // namespace
