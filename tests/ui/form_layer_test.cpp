// The form layer under Wine: events fired or not fired in code, radio groups, list search,
// edit changes, exceptions stopped at the window procedure, fonts, image lists, the
// application window and the message loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <string>
#include <vector>

#include "form/dialogs.h"
#include "form/form.h"
#include "form/work_area.h"

namespace {

using form::Kind;
using form::Row;

// A small form: two group boxes with two radio buttons each, and one control of every kind.
form::Layout TestLayout() {
  form::Layout layout;
  layout.form.name = "test_form";
  layout.form.caption = L"Form layer test";
  layout.form.client_width = 400;
  layout.form.client_height = 300;
  layout.form.on_show = "FormShow";
  layout.form.on_resize = "FormResize";
  layout.form.on_create = "FormCreate";
  auto& rows = layout.rows;
  rows.push_back(Row("Panel1", Kind::kPanel, "", 0, 0, 400, 250).Bevels(form::Bevel::kRaised, form::Bevel::kLowered));
  rows.push_back(Row("GroupA", Kind::kGroupBox, "Panel1", 5, 5, 150, 80).Text(L"A"));
  rows.push_back(Row("RadioA1", Kind::kRadioButton, "GroupA", 8, 20, 100, 17).Checked().OnClick("RadioClick"));
  rows.push_back(Row("RadioA2", Kind::kRadioButton, "GroupA", 8, 45, 100, 17).OnClick("RadioClick"));
  rows.push_back(Row("GroupB", Kind::kGroupBox, "Panel1", 160, 5, 150, 80).Text(L"B"));
  rows.push_back(Row("RadioB1", Kind::kRadioButton, "GroupB", 8, 20, 100, 17).Checked().OnClick("RadioClick"));
  rows.push_back(Row("RadioB2", Kind::kRadioButton, "GroupB", 8, 45, 100, 17).OnClick("RadioClick"));
  rows.push_back(Row("Check1", Kind::kCheckBox, "Panel1", 5, 90, 200, 17).Text(L"Check").OnClick("CheckClick"));
  rows.push_back(Row("Combo1", Kind::kComboBox, "Panel1", 5, 110, 200, 21)
                     .Font(form::FontAttributes{L"SimSun-18030", -11, 134})
                     .OnClick("ComboClick"));
  rows.push_back(Row("Edit1", Kind::kEdit, "Panel1", 5, 140, 200, 21)
                     .Text(L"start")
                     .OnChange("EditChange")
                     .OnKeyDown("EditKeyDown")
                     .OnKeyUp("EditKeyUp"));
  rows.push_back(Row("Label1", Kind::kLabel, "Panel1", 5, 170, 200, 20).Text(L"A && B").ShowHint());
  rows.push_back(Row("List1", Kind::kListBox, "", 500, 0, 100, 100).Hidden().NoTabStop());
  rows.push_back(Row("Scroll1", Kind::kScrollBar, "", 380, 0, 16, 200).OnScroll("Scroll"));
  rows.push_back(Row("Button1", Kind::kButton, "", 10, 260, 80, 25).Text(L"OK").OnClick("ButtonClick"));
  rows.push_back(Row("Image1", Kind::kImage, "Panel1", 220, 100, 16, 16));
  rows.push_back(Row("Images", Kind::kImageList, "", 0, 0, 0, 0));
  return layout;
}

// Records which handler ran, in order.
struct Recorder {
  std::vector<std::string> calls;
  form::Handlers handlers;
  Recorder() {
    for (const char* name : {"RadioClick", "CheckClick", "ComboClick", "EditChange", "ButtonClick", "FormShow",
                             "FormResize", "FormCreate"}) {
      std::string label = name;
      handlers.notify[name] = [this, label](form::Component& sender) {
        calls.push_back(label + ":" + sender.Name());
      };
    }
    for (const char* name : {"EditKeyDown", "EditKeyUp"}) {
      std::string label = name;
      handlers.key[name] = [this, label](form::Component& sender, WORD& key, unsigned) {
        calls.push_back(label + ":" + sender.Name() + ":" + std::to_string(key));
      };
    }
    handlers.scroll["Scroll"] = [this](form::Component& sender, int code, int& position) {
      calls.push_back("Scroll:" + sender.Name() + ":" + std::to_string(code) + ":" + std::to_string(position));
    };
  }
  void Clear() { calls.clear(); }
};

class FormLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetExceptionHandler([this](const std::exception& error) { errors.push_back(error.what()); });
  }
  // Sends a notification as the control's parent receives it from Windows.
  static void Notify(form::Control& control, WORD code) {
    SendMessageW(GetParent(control.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control.Handle()), code), reinterpret_cast<LPARAM>(control.Handle()));
  }

  form::Application app;
  std::vector<std::string> errors;
};

TEST_F(FormLayerTest, ComponentsStandWhereTheTableSaysAndAreFoundByName) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  EXPECT_EQ(400, form.ClientWidth());
  EXPECT_EQ(300, form.ClientHeight());
  auto& radio = form.Get<form::RadioButton>("RadioB2");
  EXPECT_EQ(8, radio.Left());
  EXPECT_EQ(45, radio.Top());
  EXPECT_EQ(&form.Get<form::GroupBox>("GroupB"), radio.Parent());
  EXPECT_EQ(GetParent(radio.Handle()), form.Get<form::GroupBox>("GroupB").Handle());
  EXPECT_EQ(nullptr, form.Find("Missing"));
  EXPECT_THROW(form.Get<form::Button>("Missing"), form::Error);
  EXPECT_THROW(form.Get<form::Button>("Edit1"), form::Error);  // another kind
  EXPECT_FALSE(form.Get<form::ListBox>("List1").Visible());
  EXPECT_EQ(L"OK", form.Get<form::Button>("Button1").Text());
  // Moving a container moves its children with it, positions staying relative.
  auto& panel = form.Get<form::Panel>("Panel1");
  panel.SetTop(-40);
  EXPECT_EQ(-40, panel.Top());
  EXPECT_EQ(5, form.Get<form::GroupBox>("GroupA").Top());
  // The create event is the application's to run, not the constructor's.
  EXPECT_TRUE(recorder.calls.empty());
  form.RunCreate();
  EXPECT_EQ(std::vector<std::string>{"FormCreate:test_form"}, recorder.calls);
}

TEST_F(FormLayerTest, ComponentsCanBeDestroyedBeforeTheForm) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto* radio = &form.Get<form::RadioButton>("RadioA2");
  HWND handle = radio->Handle();
  const size_t count = form.Components().size();
  form.DestroyComponent(radio);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(nullptr, form.Find("RadioA2"));
  EXPECT_EQ(count - 1, form.Components().size());
  // A container with children stays.
  EXPECT_THROW(form.DestroyComponent(&form.Get<form::GroupBox>("GroupA")), form::Error);
  EXPECT_NE(nullptr, form.Find("GroupA"));
  // The remaining radio button of the group still works.
  form.Get<form::RadioButton>("RadioA1").Click();
  EXPECT_EQ("RadioClick:RadioA1", recorder.calls.back());
}

TEST_F(FormLayerTest, LayoutErrorsAreReported) {
  form::Layout layout = TestLayout();
  layout.rows.push_back(Row("Orphan", Kind::kButton, "NoSuchParent", 0, 0, 10, 10));
  EXPECT_THROW(form::Form(app, layout, form::Handlers{}), form::Error);
  layout = TestLayout();
  layout.rows.push_back(Row("Button1", Kind::kButton, "", 0, 0, 10, 10));
  EXPECT_THROW(form::Form(app, layout, form::Handlers{}), form::Error);
  // A handler name the set lacks, or one on a component without such an event, is named.
  Recorder recorder;
  const auto build_error = [&](const form::Layout& faulty) -> std::string {
    try {
      form::Form form(app, faulty, recorder.handlers);
    } catch (const form::Error& error) {
      return error.what();
    }
    return "built";
  };
  layout = TestLayout();
  for (auto& row : layout.rows)
    if (row.name == "Button1") row.OnClick("ButonClick");
  EXPECT_EQ("test_form: no handler ButonClick for Button1", build_error(layout));
  layout = TestLayout();
  layout.form.on_show = "FormShwo";
  EXPECT_EQ("test_form: no handler FormShwo for the show event", build_error(layout));
  layout = TestLayout();
  layout.rows.push_back(Row("Label2", Kind::kLabel, "", 0, 0, 10, 10).OnClick("ButtonClick"));
  EXPECT_EQ("test_form: Label2 has no event for the handler ButtonClick", build_error(layout));
}

TEST_F(FormLayerTest, CheckBoxRunsItsClickOnEveryChangeOfStateOnly) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& box = form.Get<form::CheckBox>("Check1");
  EXPECT_FALSE(box.Checked());
  box.SetChecked(false);  // no change
  EXPECT_TRUE(recorder.calls.empty());
  box.SetChecked(true);  // a change made in code
  EXPECT_EQ(std::vector<std::string>{"CheckClick:Check1"}, recorder.calls);
  EXPECT_EQ(BST_CHECKED, SendMessageW(box.Handle(), BM_GETCHECK, 0, 0));
  // The user's click toggles and runs the handler once.
  SendMessageW(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(2u, recorder.calls.size());
  // The caption stands right of the box unless moved.
  EXPECT_EQ(0, GetWindowLongW(box.Handle(), GWL_STYLE) & BS_LEFTTEXT);
  box.SetCaptionOnRight(false);
  EXPECT_NE(0, GetWindowLongW(box.Handle(), GWL_STYLE) & BS_LEFTTEXT);
  box.SetCaptionOnRight(true);
  EXPECT_EQ(0, GetWindowLongW(box.Handle(), GWL_STYLE) & BS_LEFTTEXT);
}

TEST_F(FormLayerTest, RadioButtonsAreScopedByTheirGroupBox) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& a1 = form.Get<form::RadioButton>("RadioA1");
  auto& a2 = form.Get<form::RadioButton>("RadioA2");
  auto& b1 = form.Get<form::RadioButton>("RadioB1");
  auto& b2 = form.Get<form::RadioButton>("RadioB2");
  // As stored: one checked in each group, and building ran no handler.
  EXPECT_TRUE(a1.Checked());
  EXPECT_TRUE(b1.Checked());
  EXPECT_TRUE(recorder.calls.empty());
  // A user's click checks the button, unchecks its own group only, then runs the handler.
  SendMessageW(a2.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(a2.Checked());
  EXPECT_FALSE(a1.Checked());
  EXPECT_TRUE(b1.Checked());
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(a1.Handle(), BM_GETCHECK, 0, 0));
  EXPECT_EQ(std::vector<std::string>{"RadioClick:RadioA2"}, recorder.calls);
  // Checking in code changes the group silently.
  b2.SetChecked(true);
  EXPECT_FALSE(b1.Checked());
  EXPECT_TRUE(a2.Checked());
  EXPECT_EQ(1u, recorder.calls.size());
  // Click() in code is the user's click.
  b1.Click();
  EXPECT_TRUE(b1.Checked());
  EXPECT_FALSE(b2.Checked());
  EXPECT_EQ("RadioClick:RadioB1", recorder.calls.back());
}

TEST_F(FormLayerTest, ComboBoxSelectionInCodeIsSilentAndSearchIgnoresCase) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& combo = form.Get<form::ComboBox>("Combo1");
  combo.Add(L"Factory");
  combo.Add(L"Work");
  combo.Add(L"Worker");
  combo.Add(L"\u65B0\u7D30");
  EXPECT_EQ(-1, combo.ItemIndex());
  combo.SetItemIndex(2);
  EXPECT_EQ(2, combo.ItemIndex());
  combo.SetItemIndex(9);  // outside: nothing selected
  EXPECT_EQ(-1, combo.ItemIndex());
  EXPECT_TRUE(recorder.calls.empty());
  // The user's choice runs the click handler.
  combo.SetItemIndex(1);
  Notify(combo, CBN_SELCHANGE);
  EXPECT_EQ(std::vector<std::string>{"ComboClick:Combo1"}, recorder.calls);
  // Whole-text search without regard to case, from the start of the list.
  EXPECT_EQ(1, combo.FindExact(L"work"));
  EXPECT_EQ(1, combo.FindExact(L"WORK"));
  EXPECT_EQ(2, combo.FindExact(L"worker"));
  EXPECT_EQ(-1, combo.FindExact(L"wor"));
  EXPECT_EQ(-1, combo.FindExact(L"Works"));
  EXPECT_EQ(3, combo.FindExact(L"\u65B0\u7D30"));
  EXPECT_EQ(L"\u65B0\u7D30", combo.Item(3));
  EXPECT_THROW(combo.Item(4), form::Error);
  // Its own font and character set.
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(combo.Handle(), WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_EQ(134, font.lfCharSet);
  EXPECT_STREQ(L"SimSun-18030", font.lfFaceName);
  // Moving the list keeps the room of its dropped-down part.
  combo.SetLeft(20);
  EXPECT_EQ(20, combo.Left());
  RECT dropped{};
  SendMessageW(combo.Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GT(dropped.bottom - dropped.top, 100);
  // Drop-down list: no free text.
  EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongW(combo.Handle(), GWL_STYLE) & 3);
}

TEST_F(FormLayerTest, EditChangeRunsOnlyWhenTheTextReallyChanges) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& edit = form.Get<form::Edit>("Edit1");
  edit.SetText(L"start");  // the text it holds
  EXPECT_TRUE(recorder.calls.empty());
  edit.SetText(L"other");
  EXPECT_EQ(1u, recorder.calls.size());
  edit.SetText(L"other");
  EXPECT_EQ(1u, recorder.calls.size());
  edit.SetText(L"");
  EXPECT_EQ(2u, recorder.calls.size());
  EXPECT_EQ(L"", edit.Text());
  // Typing goes through the change rule too.
  SendMessageW(edit.Handle(), WM_CHAR, L'x', 0);
  EXPECT_EQ(L"x", edit.Text());
  EXPECT_EQ(3u, recorder.calls.size());

  // Key handlers bound by name.
  SendMessageW(edit.Handle(), WM_KEYUP, VK_HOME, 0);
  EXPECT_EQ("EditKeyUp:Edit1:36", recorder.calls.back());
  recorder.calls.pop_back();

  // Key events see every key, also keys that change nothing, and may swallow one.
  std::vector<std::string> keys;
  edit.OnKeyDown = [&](form::Component&, WORD& key, unsigned) {
    keys.push_back("down" + std::to_string(key));
    if (key == VK_END) key = 0;
  };
  edit.OnKeyUp = [&](form::Component&, WORD& key, unsigned) { keys.push_back("up" + std::to_string(key)); };
  SendMessageW(edit.Handle(), WM_KEYDOWN, VK_LEFT, 0);
  SendMessageW(edit.Handle(), WM_KEYUP, VK_LEFT, 0);
  SendMessageW(edit.Handle(), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ((std::vector<std::string>{"down37", "up37", "down35"}), keys);
  EXPECT_EQ(3u, recorder.calls.size());
}

TEST_F(FormLayerTest, ExceptionsOfHandlersStopAtTheWindowProcedure) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& button = form.Get<form::Button>("Button1");
  button.OnClick = [](form::Component&) { throw form::Error("handler failed"); };
  // Through Windows: the click's exception is shown, and the sender carries on.
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(1u, errors.size());
  EXPECT_EQ("handler failed", errors[0]);
  // Run in code, the click passes the exception to its caller as any call does.
  EXPECT_THROW(button.Click(), form::Error);
  // A create event's exception is shown too.
  form.OnCreate = [](form::Component&) { throw std::runtime_error("create failed"); };
  form.RunCreate();
  ASSERT_EQ(2u, errors.size());
  EXPECT_EQ("create failed", errors[1]);
  // So is a show event's, and the window is shown all the same.
  form.OnShow = [](form::Component&) { throw std::runtime_error("show failed"); };
  form.Show();
  ASSERT_EQ(3u, errors.size());
  EXPECT_EQ("show failed", errors[2]);
  EXPECT_TRUE(form.Visible());
  // The form still works.
  button.OnClick = [&](form::Component&) { recorder.calls.push_back("fine"); };
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ("fine", recorder.calls.back());
}

TEST_F(FormLayerTest, FontsBySizeInPointsAndCharacterSet) {
  EXPECT_EQ(-11, form::PointsToHeight(8, 96));
  EXPECT_EQ(-12, form::PointsToHeight(9, 96));
  EXPECT_EQ(-13, form::PointsToHeight(10, 96));
  EXPECT_EQ(-16, form::PointsToHeight(12, 96));
  EXPECT_EQ(8, form::HeightToPoints(-11, 96));
  EXPECT_EQ(9, form::HeightToPoints(-12, 96));
  EXPECT_EQ(-15, form::PointsToHeight(9, 120));

  form::Font font;
  EXPECT_EQ(L"MS Sans Serif", font.Name());
  EXPECT_EQ(DEFAULT_CHARSET, font.Charset());
  EXPECT_EQ(-11, font.Height());
  // A Big5 face name given as code-page bytes.
  const std::string big5 = "\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9";
  font.SetNameFromCodePage(big5, 950);
  EXPECT_EQ(L"\u65B0\u7D30\u660E\u9AD4", font.Name());
  font.SetCharset(136);
  form::Font copy;
  copy.SetColor(RGB(1, 2, 3));
  copy.SetStyle(form::kBold);
  copy.Assign(font);
  EXPECT_EQ(font.Name(), copy.Name());
  EXPECT_EQ(136, copy.Charset());
  EXPECT_EQ(font.Color(), copy.Color());
  EXPECT_EQ(0u, copy.Style());

  // A control takes a change of its font at once.
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& label = form.Get<form::Label>("Label1");
  label.Font().Assign(font);
  label.Font().SetSize(10);
  LOGFONTW applied{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label.Handle(), WM_GETFONT, 0, 0)), sizeof(applied), &applied);
  EXPECT_EQ(136, applied.lfCharSet);
  EXPECT_EQ(form::PointsToHeight(10, form::ScreenPixelsPerInch()), applied.lfHeight);
  EXPECT_STREQ(L"\u65B0\u7D30\u660E\u9AD4", applied.lfFaceName);
  EXPECT_EQ(10, label.Font().Size());
  // A control without a font of its own took its parent's as built.
  EXPECT_EQ(form.Font().Name(), form.Get<form::Edit>("Edit1").Font().Name());
}

// A 16 x 16 icon of one colour.
HICON SolidIcon(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP colour_bits = CreateCompatibleBitmap(screen, 16, 16);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, colour_bits);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, brush);
  SelectObject(dc, mask);
  PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
  SelectObject(dc, old);
  ICONINFO info{TRUE, 0, 0, mask, colour_bits};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(brush);
  DeleteDC(dc);
  DeleteObject(mask);
  DeleteObject(colour_bits);
  ReleaseDC(nullptr, screen);
  return icon;
}

// The colour in the middle of an icon.
COLORREF CentreOf(HICON icon) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(dc, canvas);
  PatBlt(dc, 0, 0, 16, 16, WHITENESS);
  DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
  COLORREF colour = GetPixel(dc, 8, 8);
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return colour;
}

TEST_F(FormLayerTest, ImageListEntriesAreReplacedByCopies) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& list = form.Get<form::ImageList>("Images");
  HICON red = SolidIcon(RGB(255, 0, 0));
  HICON blue = SolidIcon(RGB(0, 0, 255));
  EXPECT_EQ(0, list.AddIcon(red));
  EXPECT_EQ(1, list.AddIcon(red));
  list.ReplaceIcon(1, blue);
  DestroyIcon(blue);  // the list holds its own copy
  HICON entry = list.GetIcon(1);
  EXPECT_EQ(RGB(0, 0, 255), CentreOf(entry));
  DestroyIcon(entry);
  entry = list.GetIcon(0);
  EXPECT_EQ(RGB(255, 0, 0), CentreOf(entry));
  DestroyIcon(entry);
  EXPECT_EQ(RGB(255, 0, 0), CentreOf(red));  // the caller's icon is untouched
  EXPECT_THROW(list.ReplaceIcon(2, red), form::Error);
  EXPECT_THROW(list.GetIcon(-1), form::Error);
  EXPECT_EQ(2, list.Count());

  // A picture shows an entry of the list; an entry the list lacks leaves it empty.
  auto& image = form.Get<form::Image>("Image1");
  image.SetIconFromList(list, 1);
  ASSERT_TRUE(image.HasPicture());
  EXPECT_EQ(RGB(0, 0, 255), CentreOf(image.Icon()));
  image.SetIconFromList(list, 2);
  EXPECT_FALSE(image.HasPicture());
  DestroyIcon(red);
}

// The icon resources a row names are read entry by entry at their first use: this program has
// none, so building succeeds and the list counts its entries, but the first use of one fails; a
// list cleared before that stays empty.
TEST_F(FormLayerTest, ImageListResourcesAreReadAtFirstUse) {
  Recorder recorder;
  form::Layout layout = TestLayout();
  layout.rows.push_back(Row("Named", Kind::kImageList, "", 0, 0, 0, 0).Images("NOSUCHICON", 3));
  layout.rows.push_back(Row("Cleared", Kind::kImageList, "", 0, 0, 0, 0).Images("NOSUCHICON", 3));
  form::Form form(app, layout, recorder.handlers);
  auto& named = form.Get<form::ImageList>("Named");
  EXPECT_EQ(3, named.Count());
  EXPECT_THROW(DestroyIcon(named.GetIcon(1)), form::Error);
  auto& cleared = form.Get<form::ImageList>("Cleared");
  cleared.Clear();
  EXPECT_EQ(0, cleared.Count());
}

TEST_F(FormLayerTest, ListItemsAndSelection) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& list = form.Get<form::ListBox>("List1");
  list.Add(L"a");
  list.Add(L"b");
  list.Add(L"c");
  list.SetItemIndex(1);
  list.SetItem(1, L"B");
  EXPECT_EQ(L"B", list.Item(1));
  EXPECT_EQ(1, list.ItemIndex());
  EXPECT_EQ(3, list.Count());
  EXPECT_THROW(list.SetItem(3, L"d"), form::Error);
  EXPECT_THROW(list.Item(-1), form::Error);
  EXPECT_EQ(L"c", list.Item(2));
  // Items added while the list does not redraw are there afterwards; the hidden list stays hidden.
  list.BeginUpdate();
  for (int i = 0; i < 100; ++i) list.Add(std::to_wstring(i));
  list.EndUpdate();
  EXPECT_EQ(103, list.Count());
  EXPECT_EQ(L"99", list.Item(102));
  EXPECT_FALSE(list.Visible());
  EXPECT_FALSE(IsWindowVisible(list.Handle()));
}

TEST_F(FormLayerTest, ScrollBarStepsAndTheHandlersPosition) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& bar = form.Get<form::ScrollBar>("Scroll1");
  bar.SetMin(0);
  bar.SetMax(50);
  bar.SetSmallChange(1);
  bar.SetLargeChange(16);
  // The handler bound by name gets the code and the new position.
  SendMessageW(GetParent(bar.Handle()), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(bar.Handle()));
  EXPECT_EQ((std::vector<std::string>{"Scroll:Scroll1:3:16"}), recorder.calls);
  bar.SetPosition(0);
  std::vector<int> seen;
  bar.OnScroll = [&](form::Component&, int, int& position) { seen.push_back(position); };
  bar.Scroll(SB_LINEDOWN);
  bar.Scroll(SB_PAGEDOWN);
  bar.Scroll(SB_PAGEDOWN);
  bar.Scroll(SB_PAGEDOWN);
  bar.Scroll(SB_PAGEDOWN);  // clamped to the maximum
  bar.Scroll(SB_LINEDOWN);
  bar.Scroll(SB_THUMBTRACK, 20);
  bar.Scroll(SB_TOP);
  bar.Scroll(SB_LINEUP);
  EXPECT_EQ((std::vector<int>{1, 17, 33, 49, 50, 50, 20, 0, 0}), seen);
  // The position the handler leaves is kept.
  bar.OnScroll = [](form::Component&, int, int& position) { position = 7; };
  SendMessageW(GetParent(bar.Handle()), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar.Handle()));
  EXPECT_EQ(7, bar.Position());
}

TEST_F(FormLayerTest, LabelAcceleratorsAndHints) {
  Recorder recorder;
  form::Form form(app, TestLayout(), recorder.handlers);
  auto& label = form.Get<form::Label>("Label1");
  EXPECT_TRUE(label.ShowAccelChar());
  label.SetShowAccelChar(false);
  EXPECT_FALSE(label.ShowAccelChar());
  EXPECT_NE(0, GetWindowLongW(label.Handle(), GWL_STYLE) & SS_NOPREFIX);
  label.SetHint(L"hint text");
  EXPECT_EQ(1, SendMessageW(form.HintWindow(), TTM_GETTOOLCOUNT, 0, 0));
  label.SetShowHint(false);
  EXPECT_EQ(0, SendMessageW(form.HintWindow(), TTM_GETTOOLCOUNT, 0, 0));
  label.SetTextA("code page");
  EXPECT_EQ(L"code page", label.Text());
  // The application's hint font reaches the hint windows of every form.
  label.SetShowHint(true);
  app.HintFont().SetName(L"Arial");
  app.HintFont().SetSize(12);
  LOGFONTW hint{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.HintWindow(), WM_GETFONT, 0, 0)), sizeof(hint), &hint);
  EXPECT_STREQ(L"Arial", hint.lfFaceName);
  EXPECT_EQ(form::PointsToHeight(12, form::ScreenPixelsPerInch()), hint.lfHeight);
}

TEST_F(FormLayerTest, ShowResizeAndModalShowing) {
  Recorder recorder;
  form::Form main_form(app, TestLayout(), recorder.handlers);
  form::Layout dialog_layout = TestLayout();
  dialog_layout.form.name = "dialog";
  dialog_layout.form.border = form::BorderStyle::kDialog;
  form::Form dialog(app, dialog_layout, recorder.handlers);
  EXPECT_EQ(&main_form, app.MainForm());

  // Show runs on every hidden-to-shown change only.
  main_form.Show();
  main_form.Show();
  EXPECT_EQ(1, std::count(recorder.calls.begin(), recorder.calls.end(), "FormShow:test_form"));
  main_form.Hide();
  main_form.Show();
  EXPECT_EQ(2, std::count(recorder.calls.begin(), recorder.calls.end(), "FormShow:test_form"));
  recorder.Clear();
  main_form.SetClientHeight(320);
  EXPECT_EQ(320, main_form.ClientHeight());
  EXPECT_EQ(std::vector<std::string>{"FormResize:test_form"}, recorder.calls);

  // While the dialog is modal the main form is disabled; closing it ends the showing.
  bool main_enabled_during_modal = true;
  dialog.OnShow = [&](form::Component&) {
    main_enabled_during_modal = main_form.Enabled();
    PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(2, dialog.ShowModal());
  EXPECT_FALSE(main_enabled_during_modal);
  EXPECT_TRUE(main_form.Enabled());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(main_form.Visible());
}

TEST_F(FormLayerTest, ApplicationWindowLoopAndEnd) {
  app.SetTitle(L"Form layer test app");
  EXPECT_EQ(app.Handle(), FindWindowW(L"TApplication", L"Form layer test app"));
  EXPECT_FALSE(IsWindowVisible(app.Handle()));
  Recorder recorder;
  auto& main_form = app.CreateForm<form::Form>(TestLayout(), recorder.handlers);
  EXPECT_EQ(std::vector<std::string>{"FormCreate:test_form"}, recorder.calls);
  // A request to end is posted: it ends the loop that runs afterwards.
  app.Terminate();
  EXPECT_EQ(0, app.Run());
  EXPECT_TRUE(main_form.Visible());  // the loop showed the main form first
  // Closing the main form ends the program.
  PostMessageW(main_form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(0, app.Run());
}

TEST(FormLayerPlainTest, WorkAreaSourceIsReplaceable) {
  form::SetWorkAreaSource([] { return RECT{10, 20, 800, 560}; });
  RECT area = form::WorkArea();
  EXPECT_EQ(800, area.right);
  EXPECT_EQ(560, area.bottom);
  form::SetWorkAreaSource(nullptr);
  RECT system{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &system, 0);
  EXPECT_EQ(system.bottom, form::WorkArea().bottom);
}

TEST(FormLayerPlainTest, OpenDialogFilterAndJpegErrors) {
  std::vector<wchar_t> list = form::FilterToDialogList(L"(*.EXE)|*.EXE|(*.*)|*.*");
  EXPECT_EQ(std::wstring(L"(*.EXE)\0*.EXE\0(*.*)\0*.*\0\0", 25), std::wstring(list.begin(), list.end()));
  list = form::FilterToDialogList(L"Text|*.txt|dangling");
  EXPECT_EQ(std::wstring(L"Text\0*.txt\0\0", 12), std::wstring(list.begin(), list.end()));
  const unsigned char not_jpeg[] = "this is not a picture";
  EXPECT_THROW(form::DecodeJpeg(not_jpeg, sizeof(not_jpeg)), form::Error);
  EXPECT_THROW(form::DecodeJpeg(nullptr, 0), form::Error);
}

}  // namespace

namespace {

struct DialogSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchFileDialog(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  DWORD process = 0;
  wchar_t name[16] = {};
  GetWindowThreadProcessId(hwnd, &process);
  GetClassNameW(hwnd, name, 16);
  if (process != search->process || lstrcmpW(name, L"#32770") || !IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// The file dialog's library is loaded at its first use: the dialog shows, and the name typed
// into it comes back.
TEST(FormLayerPlainTest, OpenDialogShowsAndGivesTheChosenName) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  form::OpenDialog dialog;
  dialog.filter = L"(*.*)|*.*";
  dialog.initial_dir = folder;
  const std::wstring chosen = std::wstring(folder) + L"form_layer_chosen.txt";
  HANDLE file = CreateFileW(chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  DialogSearch search{GetCurrentProcessId(), nullptr};
  std::thread user([&search, &chosen] {
    for (int i = 0; i < 1000 && !search.found; ++i) {
      EnumWindows(MatchFileDialog, reinterpret_cast<LPARAM>(&search));
      if (!search.found) Sleep(10);
    }
    if (!search.found) return;
    // The name field is edt1 or cmb13, whichever this platform's dialog has.
    SetDlgItemTextW(search.found, 0x480, chosen.c_str());
    SetDlgItemTextW(search.found, 0x47c, chosen.c_str());
    PostMessageW(search.found, WM_COMMAND, IDOK, 0);
  });
  const bool chose = dialog.Execute(nullptr);
  user.join();
  DeleteFileW(chosen.c_str());
  EXPECT_NE(nullptr, search.found);
  EXPECT_TRUE(chose);
  EXPECT_EQ(0, lstrcmpiW(chosen.c_str(), dialog.file_name.c_str()));
}

}  // namespace
