// The four dialogs with the demo installation's captions, shown on the Xvfb display and saved
// as screenshots (screenshots/dialog-<name>.bmp).
#include <gtest/gtest.h>

#include "../startup/demo_install.h"
#include "dialogs/about_dialog.h"
#include "dialogs/configure_buttons_dialog.h"
#include "dialogs/create_theme_dialog.h"
#include "dialogs/view_functions_dialog.h"
#include "main_window/main_window.h"
#include "screen_capture.h"
#include "store/program_texts.h"
#include "store/scheme_records.h"
#include "store/text_conversions.h"
#include "system/language_texts.h"
#include "test_support.h"

using namespace testing_support;

namespace {

bool Dark(unsigned pixel) { return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) < 3 * 110; }

class DialogScreenshotTest : public ::testing::Test {
 protected:
  // Shows the dialog, saves its picture and checks that its OK button is drawn where it stands.
  void Shoot(form::Form& dialog, const wchar_t* name, form::Button& ok) {
    dialog.RunCreate();
    dialog.Show();
    for (int i = 0; i < 20; ++i, Sleep(25)) app_.ProcessMessages();
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    app_.ProcessMessages();
    Sleep(200);
    const Capture capture = CaptureWindow(dialog.Handle());
    EXPECT_TRUE(SaveBmp(capture, ScreenshotFolder() + L"\\dialog-" + name + L".bmp"));
    // Its dark right edge; a focused button, drawn as the default one, has a frame outside it.
    const int right = ok.Left() + ok.Width() - (ok.Focused() ? 2 : 1);
    EXPECT_PRED1(Dark, capture.At(right, ok.Top() + ok.Height() / 2)) << dialog.Name();
    dialog.Close();
  }

  form::Application app_;
  Tzokcfg_0 window_{app_};
};

TEST_F(DialogScreenshotTest, EachDialogAsShown) {
  LangIni = new LanguageIni(WideToAnsi(startup_test::DemoInstallFile(L"obj0409.set")));
  VersionText = L"1.0 (demo)";
  CurScheme.keys[0].caption = L"Home";
  CurScheme.keys[0].linkto = L"http://www.example.com/";
  Tzokcfg_1 create(app_);
  Shoot(create, L"create-theme", *create.BitBtn1);
  Tzokcfg_2 configure(app_);
  Shoot(configure, L"configure-buttons", *configure.BitBtn1);
  Tzokcfg_3 view(app_);
  Shoot(view, L"view-functions", *view.BitBtn1);
  Tzokcfg_4 about(app_);
  Shoot(about, L"about", *about.BitBtn1);
  delete LangIni;
  LangIni = nullptr;
}

}  // namespace
