// The configuration program used from the keyboard alone, run in this process as WinMain runs
// it: the start-up on the demo installation, then key presses posted to the focused control and
// handled by the windows' own message loops (the application's, each dialog's modal showing, the
// message boxes'). The focus after each step is recorded and compared with the expected list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/about_dialog.h"
#include "dialogs/configure_buttons_dialog.h"
#include "dialogs/create_theme_dialog.h"
#include "dialogs/view_functions_dialog.h"
#include "form/work_area.h"
#include "key_script.h"
#include "main_window/dialog_windows.h"
#include "main_window/main_window.h"
#include "contracts/hotkey_handler.h"
#include "store/program_texts.h"
#include "demo_install.h"
#include "registry_keys.h"
#include "test_support.h"
#include "variant.h"

using namespace testing_support;

namespace {

const bool kYev = variant::kIsYev;
const std::wstring kDataFolder = L"C:\\KVZOK";

// Where the focus is: "<form>.<component>", "box" inside a message box, else the window class.
std::string FocusName() {
  HWND focus = GetFocus();
  if (const form::Control* control = form::Control::FromHandle(focus))
    return control->Owner().Name() + "." + control->Name();
  if (!focus) return "none";
  char window_class[64] = {};
  GetClassNameA(GetAncestor(focus, GA_ROOT), window_class, 64);
  return std::string(window_class) == "#32770" ? "box" : window_class;
}

// A step of the user and where the focus is once it has been handled.
struct Expect {
  KeyStep step;
  std::string focus;
};

// Steps that each lead to the next name of a round, from its first name: Tab forward, Shift+Tab
// backward (the round ends where it started).
void Round(std::vector<Expect>& script, const std::string& form, std::vector<std::string> names, bool back) {
  for (size_t i = 1; i <= names.size(); ++i) {
    const std::string& name = back ? names[(names.size() - i) % names.size()] : names[i % names.size()];
    script.push_back({back ? ShiftTab() : Tab(), form + "." + name});
  }
}

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(kDataFolder);
    registry_test::DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    const std::wstring install = scratch_.File(L"install");
    ASSERT_TRUE(CreateDirectoryW(install.c_str(), nullptr));
    for (const wchar_t* file : {L"obj0409.set", L"obj0409.bcm"})
      ASSERT_TRUE(CopyFileW(startup_test::DemoInstallFile(file).c_str(), (install + L"\\" + file).c_str(), FALSE));
    registry_test::SetText(HKEY_LOCAL_MACHINE, registry_test::kInstallKey, L"UIPath", install);
    form::SetWorkAreaSource([] { return RECT{0, 0, 1024, 900}; });
  }
  void TearDown() override {
    form::SetWorkAreaSource(nullptr);
    RemoveTree(kDataFolder);
    registry_test::DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
    registry_test::DeleteKeyTree(HKEY_LOCAL_MACHINE, registry_test::kInstallKey);
  }

  // Runs the program as WinMain does while the user takes the steps; checks the focus after each.
  void RunProgram(const std::vector<Expect>& script) {
    const OwnDesktop desktop;
    ASSERT_TRUE(desktop.active());
    form::Application app;
    app.CreateForm<Tzokcfg_0>();
    zokcfg_1 = &app.CreateForm<Tzokcfg_1>();
    zokcfg_2 = &app.CreateForm<Tzokcfg_2>();
    zokcfg_4 = &app.CreateForm<Tzokcfg_4>();
    zokcfg_3 = &app.CreateForm<Tzokcfg_3>();
    std::vector<KeyStep> steps;
    std::vector<std::string> expected, seen;
    for (const Expect& entry : script) {
      steps.push_back(entry.step);
      expected.push_back(entry.focus);
    }
    KeyScript keys(steps, [&] { seen.push_back(FocusName()); }, [&] { app.Terminate(); });
    keys.Start();
    app.Run();
    EXPECT_EQ(expected, seen);
  }

  // From the scheme list of a first start (the factory scheme only): a new theme "Mine", made and
  // selected with Create (Enter presses the focused button inside its group box), after which
  // the focus is back on Create.
  static void CreateMine(std::vector<Expect>& script) {
    script.push_back({Tab(), "zokcfg_0.BitBtn1"});
    script.push_back({Press(VK_RETURN), "zokcfg_1.Edit1"});
    script.push_back({Type(L"Mine"), "zokcfg_1.Edit1"});
    script.push_back({Tab(), "zokcfg_1.BitBtn1"});
    script.push_back({Press(VK_SPACE), "zokcfg_0.BitBtn1"});
  }

  ScratchFolder scratch_;
};

// The main window's rounds with the factory scheme, with a user scheme, with the numpad group; the
// Create New Theme dialog: typing at once, its round, Enter and Escape pressing nothing, Cancel at
// the overwrite question, the factory scheme's refusal.
TEST_F(KeyboardTest, MainWindowAndCreateNewTheme) {
  std::vector<Expect> script;
  script.push_back({Do([] {}), "zokcfg_0.ComboBox1"});
  // The factory scheme is selected: Delete, the Configure buttons and the key rows are disabled.
  const std::vector<std::string> factory = {"ComboBox1", "BitBtn1", "CheckBox1", "BitBtn9",
                                            "BitBtn6",   "BitBtn7", "BitBtn8"};
  Round(script, "zokcfg_0", factory, false);
  Round(script, "zokcfg_0", factory, true);

  script.push_back({Tab(), "zokcfg_0.BitBtn1"});
  script.push_back({Press(VK_SPACE), "zokcfg_1.Edit1"});
  script.push_back({Type(L"factory SETTINGS"), "zokcfg_1.Edit1"});
  Round(script, "zokcfg_1", {"Edit1", "BitBtn1", "BitBtn2"}, false);
  Round(script, "zokcfg_1", {"Edit1", "BitBtn1", "BitBtn2"}, true);
  script.push_back({Press(VK_RETURN), "zokcfg_1.Edit1"});
  script.push_back({Press(VK_ESCAPE), "zokcfg_1.Edit1"});
  script.push_back({Tab(), "zokcfg_1.BitBtn1"});
  script.push_back({Press(VK_RETURN), "box"});          // overwrite the scheme of that name?
  script.push_back({Press(VK_ESCAPE), "zokcfg_1.Edit1"});  // no: back to the name
  script.push_back({Tab(), "zokcfg_1.BitBtn1"});
  script.push_back({Press(VK_SPACE), "box"});
  script.push_back({Press(VK_RETURN), "box"});           // yes: the factory scheme stays
  script.push_back({Press(VK_RETURN), "zokcfg_0.ComboBox1"});

  CreateMine(script);
  std::vector<std::string> user = {"BitBtn1", "BitBtn2", "RadioButton1", "BitBtn3", "CheckBox1",
                                   "BitBtn9", "BitBtn6", "BitBtn7",      "BitBtn8", "ComboBox1"};
  Round(script, "zokcfg_0", user, false);
  Round(script, "zokcfg_0", user, true);
  // Within the key rows the arrows choose the key; Tab enters the group at the checked one.
  script.push_back({Tab(), "zokcfg_0.BitBtn2"});
  script.push_back({Tab(), "zokcfg_0.RadioButton1"});
  script.push_back({Press(VK_DOWN), "zokcfg_0.RadioButton2"});
  script.push_back({Press(VK_UP), "zokcfg_0.RadioButton1"});
  script.push_back({Press(VK_UP), kYev ? "zokcfg_0.RadioButton8" : "zokcfg_0.RadioButton6"});
  script.push_back({ShiftTab(), "zokcfg_0.BitBtn2"});
  script.push_back({Tab(), kYev ? "zokcfg_0.RadioButton8" : "zokcfg_0.RadioButton6"});
  script.push_back({Do([] { SendMessageW(zokcfg_0->Handle(), contracts::kNumPadStateMessage, 1, 0); }),
                    kYev ? "zokcfg_0.RadioButton8" : "zokcfg_0.RadioButton6"});
  std::vector<std::string> numpad = {kYev ? "RadioButton8" : "RadioButton6", "BitBtn3"};
  for (const char* name : kYev ? std::vector<const char*>{"RadioButton10", "BitBtn5"}
                               : std::vector<const char*>{"RadioButton7", "BitBtn4", "BitBtn5"})
    numpad.push_back(name);
  for (const char* name : {"CheckBox1", "BitBtn9", "BitBtn6", "BitBtn7", "BitBtn8", "ComboBox1", "BitBtn1", "BitBtn2"})
    numpad.push_back(name);
  Round(script, "zokcfg_0", numpad, false);
  Round(script, "zokcfg_0", numpad, true);
  RunProgram(script);
  // The name of the factory scheme in other letter case was refused; "Mine" was added.
  EXPECT_EQ(1u, GetPrivateProfileIntW(L"global", L"scheme", 9, UserSchemeFile.c_str()));
}

// Configure Buttons and View Functions: the focus at each show, their rounds, Enter and Escape
// pressing nothing, the field that held "|" focused after the refusal; About closed by Enter.
TEST_F(KeyboardTest, ConfigureButtonsViewFunctionsAndAbout) {
  std::vector<Expect> script;
  script.push_back({Do([] {}), "zokcfg_0.ComboBox1"});
  CreateMine(script);
  script.push_back({Tab(), "zokcfg_0.BitBtn2"});
  script.push_back({Tab(), "zokcfg_0.RadioButton1"});
  script.push_back({Tab(), "zokcfg_0.BitBtn3"});
  script.push_back({Press(VK_SPACE), "zokcfg_2.Edit1"});
  const std::vector<std::string> configure = {"Edit1", "Edit2", "BitBtn3", "BitBtn1", "BitBtn2"};
  Round(script, "zokcfg_2", configure, false);
  Round(script, "zokcfg_2", configure, true);
  script.push_back({Press(VK_RETURN), "zokcfg_2.Edit1"});
  script.push_back({Press(VK_ESCAPE), "zokcfg_2.Edit1"});
  // Tab selects a field's text, so typing replaces it.
  script.push_back({Tab(), "zokcfg_2.Edit2"});
  script.push_back({ShiftTab(), "zokcfg_2.Edit1"});
  script.push_back({Type(L"a|b"), "zokcfg_2.Edit1"});
  script.push_back({Tab(), "zokcfg_2.Edit2"});
  script.push_back({Type(L"x|y"), "zokcfg_2.Edit2"});
  script.push_back({Tab(), "zokcfg_2.BitBtn3"});
  script.push_back({Tab(), "zokcfg_2.BitBtn1"});
  script.push_back({Press(VK_RETURN), "box"});
  script.push_back({Press(VK_RETURN), "zokcfg_2.Edit1"});
  script.push_back({Type(L"\b\b\bab"), "zokcfg_2.Edit1"});
  script.push_back({Tab(), "zokcfg_2.Edit2"});
  script.push_back({Tab(), "zokcfg_2.BitBtn3"});
  script.push_back({Tab(), "zokcfg_2.BitBtn1"});
  script.push_back({Press(VK_SPACE), "box"});
  script.push_back({Press(VK_SPACE), "zokcfg_2.Edit2"});
  script.push_back({ShiftTab(), "zokcfg_2.Edit1"});
  script.push_back({ShiftTab(), "zokcfg_2.BitBtn2"});
  script.push_back({Press(VK_SPACE), "zokcfg_0.BitBtn3"});

  script.push_back({Tab(), "zokcfg_0.CheckBox1"});
  script.push_back({Tab(), "zokcfg_0.BitBtn9"});
  // About: Enter presses its OK, focused at the show; Tab stays on it, Escape presses nothing.
  script.push_back({Press(VK_SPACE), "zokcfg_4.BitBtn1"});
  script.push_back({Press(VK_RETURN), "zokcfg_0.BitBtn9"});
  script.push_back({Press(VK_SPACE), "zokcfg_4.BitBtn1"});
  script.push_back({Tab(), "zokcfg_4.BitBtn1"});
  script.push_back({Press(VK_ESCAPE), "zokcfg_4.BitBtn1"});
  script.push_back({Press(VK_RETURN), "zokcfg_0.BitBtn9"});

  // View Functions: from its button in the numpad group (ZOK); YEV hides that button, so the
  // dialog is shown as the button would show it.
  if (kYev) {
    script.push_back({Do([] { zokcfg_3->ShowModal(); }), "zokcfg_3.Edit1"});
  } else {
    script.push_back({Do([] { SendMessageW(zokcfg_0->Handle(), contracts::kNumPadStateMessage, 1, 0); }),
                      "zokcfg_0.BitBtn9"});
    script.push_back({ShiftTab(), "zokcfg_0.CheckBox1"});
    script.push_back({ShiftTab(), "zokcfg_0.BitBtn5"});
    script.push_back({ShiftTab(), "zokcfg_0.BitBtn4"});
    script.push_back({Press(VK_SPACE), "zokcfg_3.Edit1"});
  }
  const std::vector<std::string> view = {"Edit1", "ComboBox1", "BitBtn1", "BitBtn2"};
  Round(script, "zokcfg_3", view, false);
  Round(script, "zokcfg_3", view, true);
  script.push_back({Press(VK_RETURN), "zokcfg_3.Edit1"});
  script.push_back({Press(VK_ESCAPE), "zokcfg_3.Edit1"});
  script.push_back({Type(L"a|b"), "zokcfg_3.Edit1"});
  script.push_back({ShiftTab(), "zokcfg_3.BitBtn2"});
  script.push_back({ShiftTab(), "zokcfg_3.BitBtn1"});
  script.push_back({Press(VK_RETURN), "box"});
  script.push_back({Press(VK_RETURN), "zokcfg_3.Edit1"});
  script.push_back({ShiftTab(), "zokcfg_3.BitBtn2"});
  script.push_back({Press(VK_SPACE), kYev ? "zokcfg_0.BitBtn9" : "zokcfg_0.BitBtn4"});
  RunProgram(script);
}

}  // namespace
