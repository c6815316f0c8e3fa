// The configuration program used from the keyboard alone, run in this process as WinMain runs
// it: the start-up on the demo installation, then key presses posted to the focused control and
// handled by the windows' own message loops (the application's, each dialog's modal showing, the
// message boxes'). The focus after each step is recorded and compared with the expected list; each
// window, at the moment it appears, must already look as its show handler leaves it.
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
#include "main_window/selected_rows.h"
#include "contracts/hotkey_handler.h"
#include "store/program_texts.h"
#include "store/scheme_records.h"
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

// What the user sees of a form: where it stands, and each control's text and whether it is enabled.
std::string Appearance(const form::Form& form) {
  std::string seen = form.Name() + " at " + std::to_string(form.Left()) + "," + std::to_string(form.Top());
  for (const form::Component* component : form.Components())
    if (const auto* control = dynamic_cast<const form::Control*>(component))
      seen += " " + control->Name() + "=" + control->TextA() + (control->Enabled() ? "" : " (disabled)");
  return seen;
}

// Each form as it looked when it became visible, noted by a hook before the form handles that.
std::vector<std::pair<const form::Form*, std::string>> appeared;

LRESULT CALLBACK NoteAppearance(int code, WPARAM wparam, LPARAM lparam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED &&
      (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW))
    for (const form::Form* form : form::Application::Instance()->Forms())
      if (form->Handle() == call->hwnd) appeared.push_back({form, Appearance(*form)});
  return CallNextHookEx(nullptr, code, wparam, lparam);
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

  // Runs the program as WinMain does while the user takes the steps; checks the focus after each,
  // and that each form that appeared (in the order `shown`) looked then as it does once shown.
  void RunProgram(const std::vector<Expect>& script, const std::vector<std::string>& shown) {
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
    std::vector<std::string> forms, at_appearance, once_shown;
    auto note_step = [&] {
      seen.push_back(FocusName());
      for (const auto& form : appeared) {
        forms.push_back(form.first->Name());
        at_appearance.push_back(form.second);
        once_shown.push_back(Appearance(*form.first));
      }
      appeared.clear();
    };
    appeared.clear();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, NoteAppearance, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    KeyScript keys(steps, note_step, [&] { app.Terminate(); });
    keys.Start();
    app.Run();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(shown, forms);
    EXPECT_EQ(once_shown, at_appearance);
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
  // The name of the factory scheme in other letter case was refused; "Mine" was added.
  UINT schemes_before_delete = 0;
  script.push_back({Do([&] { schemes_before_delete = GetPrivateProfileIntW(L"global", L"scheme", 9, UserSchemeFile.c_str()); }),
                    "zokcfg_0." + numpad[0]});
  // Delete, disabled while it has the focus once the factory scheme is selected again, leaves the
  // focus on the form's first control, and Tab walks on from there.
  script.push_back({ShiftTab(), "zokcfg_0.BitBtn2"});
  script.push_back({Press(VK_SPACE), "box"});
  script.push_back({Press(VK_RETURN), "zokcfg_0.ComboBox1"});
  script.push_back({Tab(), "zokcfg_0.BitBtn1"});
  script.push_back({ShiftTab(), "zokcfg_0.ComboBox1"});
  RunProgram(script, {"zokcfg_0", "zokcfg_1", "zokcfg_1"});
  EXPECT_EQ(1u, schemes_before_delete);
  EXPECT_EQ(0u, GetPrivateProfileIntW(L"global", L"scheme", 9, UserSchemeFile.c_str()));
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

  // The key gets ESC from View Functions; then Enter in Configure Buttons' link field counts as
  // an edit of the link, so OK makes the key a link.
  int32_t function_after_view = -1;
  const std::string configure_from = kYev ? "zokcfg_0.BitBtn3" : "zokcfg_0.BitBtn5";
  if (kYev)
    script.push_back({Do([] { zokcfg_3->ShowModal(); }), "zokcfg_3.Edit1"});
  else
    script.push_back({Press(VK_SPACE), "zokcfg_3.Edit1"});
  script.push_back({Tab(), "zokcfg_3.ComboBox1"});
  script.push_back({Tab(), "zokcfg_3.BitBtn1"});
  script.push_back({Press(VK_SPACE), kYev ? "zokcfg_0.BitBtn9" : "zokcfg_0.BitBtn4"});
  script.push_back({Do([&] { function_after_view = IniData.schemedata.keys[EditButton].function; }),
                    kYev ? "zokcfg_0.BitBtn9" : "zokcfg_0.BitBtn4"});
  if (kYev) script.push_back({ShiftTab(), "zokcfg_0.CheckBox1"});
  script.push_back({kYev ? ShiftTab() : Tab(), configure_from});
  script.push_back({Press(VK_SPACE), "zokcfg_2.Edit1"});
  script.push_back({Tab(), "zokcfg_2.Edit2"});
  script.push_back({Press(VK_RETURN), "zokcfg_2.Edit2"});
  script.push_back({Tab(), "zokcfg_2.BitBtn3"});
  script.push_back({Tab(), "zokcfg_2.BitBtn1"});
  script.push_back({Press(VK_SPACE), configure_from});
  RunProgram(script, {"zokcfg_0", "zokcfg_1", "zokcfg_2", "zokcfg_4", "zokcfg_4", "zokcfg_3", "zokcfg_3", "zokcfg_2"});
  EXPECT_EQ(13, function_after_view);
  const hotkey_data& key = IniData.schemedata.keys[EditButton];
  EXPECT_EQ(4, key.function);
  EXPECT_EQ(0, key.vkey);
}

}  // namespace
