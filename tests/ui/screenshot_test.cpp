// The main window as stored, shown on the Xvfb display: saved as a screenshot
// (screenshots/<program>.bmp beside the build's bin folder) and checked in pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "demo_install.h"
#include "main_window/main_window.h"
#include "registry_keys.h"
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

  // Pixels inside a control that are not the button face: its text or picture is drawn.
  int InkIn(const Capture& capture, HWND window, const form::Control& control) {
    RECT rect{0, 0, control.Width(), control.Height()};
    MapWindowPoints(control.Handle(), window, reinterpret_cast<POINT*>(&rect), 2);
    const unsigned face = Rgb(GetSysColor(COLOR_BTNFACE));
    int ink = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x) ink += !Near(face, capture.At(x, y));
    return ink;
  }

  // The window's pixels once it has settled and is drawn afresh.
  Capture ShowAndCapture(form::Form& window) {
    for (int i = 0; i < 40; ++i) {
      app.ProcessMessages();
      Sleep(25);
    }
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    app.ProcessMessages();
    Sleep(200);
    return CaptureWindow(window.Handle());
  }

  bool Save(const Capture& capture, const std::string& suffix) {
    const std::wstring folder = testing_support::ScreenshotFolder();
    const std::string name = variant::kConfigProgram + suffix;
    return SaveBmp(capture, folder + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp");
  }

  form::Application app;
};

TEST_F(ScreenshotTest, MainWindowAsStored) {
  Tzokcfg_0 window(app);
  window.Show();
  Capture capture = ShowAndCapture(window);
  ASSERT_GT(capture.width, 449);
  ASSERT_GT(capture.height, 691);
  EXPECT_TRUE(Save(capture, ""));

  // The bottom row of buttons as stored.
  ExpectButtonAt(capture, "OK", 180, 662, 85, 25);
  ExpectButtonAt(capture, "Cancel", 270, 662, 85, 25);
  ExpectButtonAt(capture, "About", 6, 662, 95, 25);
  // The scheme list's field inside GroupBox1 (10, 48) + (4, 23), highlighted: the list is the
  // first control and has the focus.
  EXPECT_TRUE(window.ComboBox1->Focused());
  EXPECT_PRED2(Near, Rgb(GetSysColor(COLOR_HIGHLIGHT)), capture.At(14 + 100, 71 + 9));
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

// After start-up on the demo installation: the factory scheme's captions and pictures, with the
// numpad group hidden, then shown on the hot-key handler's request.
TEST_F(ScreenshotTest, AfterStartUpWithTheNumpadGroupHiddenAndShown) {
  using namespace registry_test;
  testing_support::RemoveTree(L"C:\\KVZOK");
  testing_support::ScratchFolder scratch;
  const std::wstring install = scratch.File(L"install");
  ASSERT_TRUE(CreateDirectoryW(install.c_str(), nullptr));
  for (const wchar_t* file : {L"obj0409.set", L"obj0409.bcm"})
    ASSERT_TRUE(CopyFileW(startup_test::DemoInstallFile(file).c_str(), (install + L"\\" + file).c_str(), FALSE));
  SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", install);
  const std::wstring factory = install + L"\\obj0409.bcm";
  {
    Tzokcfg_0 window(app);
    window.RunCreate();
    window.Show();  // the message loop's first show
    Capture hidden = ShowAndCapture(window);
    EXPECT_TRUE(Save(hidden, "-startup"));
    EXPECT_EQ(kYev ? 557 : 494, window.ClientHeight());
    EXPECT_EQ(startup_test::ProfileText(factory, L"0", L"caption0"), window.Label1->Text());
    EXPECT_GT(InkIn(hidden, window.Handle(), *window.Label1), 20);
    EXPECT_GT(InkIn(hidden, window.Handle(), *window.Image11), 20);

    SendMessageW(window.Handle(), 0x701, 1, 0);
    Capture shown = ShowAndCapture(window);
    EXPECT_TRUE(Save(shown, "-numpad"));
    EXPECT_EQ(kYev ? 698 : 712, window.ClientHeight());
    EXPECT_EQ(startup_test::ProfileText(factory, L"0", L"caption9"), window.Label10->Text());
    EXPECT_GT(InkIn(shown, window.Handle(), *window.Label10), 20);
    EXPECT_GT(InkIn(shown, window.Handle(), *window.Image20), 20);
  }
  testing_support::RemoveTree(L"C:\\KVZOK");
  DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
  DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
}

}  // namespace
