// The main window built from its layout table, without the program's start-up, in the
// variant this test is built for.
#include <gtest/gtest.h>

#include <string>

#include "main_window/main_window.h"
#include "main_window/main_window_layout.h"
#include "variant.h"

namespace {

constexpr bool kYev = variant::kIsYev;

struct Box {
  int left, top, width, height;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void ExpectBox(const std::string& name, const std::string& parent, Box box) {
    SCOPED_TRACE(name);
    auto& control = window.Get<form::Control>(name);
    EXPECT_EQ(parent, control.Parent() ? control.Parent()->Name() : "");
    EXPECT_EQ(box.left, control.Left());
    EXPECT_EQ(box.top, control.Top());
    EXPECT_EQ(box.width, control.Width());
    EXPECT_EQ(box.height, control.Height());
  }

  form::Application app;
  Tzokcfg_0 window{app};
};

TEST(KeyRowPlacementTest, RowsStandInTheirGroupsAtTheirTops) {
  struct Expected {
    int row;
    const char* group;
    int radio, picture, label, icon, icon_left;
  };
  const Expected yev[] = {
      {1, "GroupBox2", 28, 20, 30, 28, 192},     {2, "GroupBox2", 68, 60, 70, 68, 192},
      {6, "GroupBox2", 228, 220, 230, 228, 192}, {7, "GroupBox2", 267, 259, 269, 265, 191},
      {8, "GroupBox2", 307, 299, 309, 305, 191}, {10, "GroupBox3", 29, 21, 31, 29, 193},
      {9, "GroupBox3", 69, 61, 71, 69, 193},
  };
  const Expected zok[] = {
      {1, "GroupBox2", 28, 20, 30, 28, 192},    {6, "GroupBox2", 228, 220, 230, 228, 192},
      {7, "GroupBox3", 28, 20, 30, 28, 193},    {8, "GroupBox3", 68, 60, 70, 68, 193},
      {10, "GroupBox3", 108, 100, 110, 108, 193}, {9, "GroupBox3", 148, 140, 150, 148, 193},
  };
  auto check = [](bool variant_yev, const Expected& expected) {
    SCOPED_TRACE((variant_yev ? "YEV row " : "ZOK row ") + std::to_string(expected.row));
    KeyRowPlacement place = PlaceKeyRow(variant_yev, expected.row);
    EXPECT_EQ(expected.group, place.group);
    EXPECT_EQ(expected.radio, place.radio_top);
    EXPECT_EQ(expected.picture, place.picture_top);
    EXPECT_EQ(expected.label, place.label_top);
    EXPECT_EQ(expected.icon, place.icon_top);
    EXPECT_EQ(expected.icon_left, place.icon_left);
  };
  for (const Expected& expected : yev) check(true, expected);
  for (const Expected& expected : zok) check(false, expected);
}

TEST_F(MainWindowTest, TheWindowItselfAsStored) {
  EXPECT_EQ(L"KV Zokline Keyboard Software", window.Caption());
  EXPECT_EQ(449, window.ClientWidth());
  EXPECT_EQ(691, window.ClientHeight());
  EXPECT_EQ(293, window.Left());
  EXPECT_EQ(22, window.Top());
  LONG style = GetWindowLongW(window.Handle(), GWL_STYLE);
  EXPECT_NE(0, style & WS_SYSMENU);
  EXPECT_EQ(0, style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  wchar_t class_name[64] = {};
  GetClassNameW(window.Handle(), class_name, 64);
  EXPECT_STREQ(L"Tzokcfg_0", class_name);
  EXPECT_EQ(&window, zokcfg_0);
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(L"MS Sans Serif", window.Font().Name());
  EXPECT_EQ(-11, window.Font().Height());
}

TEST_F(MainWindowTest, ControlsOfTheWindowAndThePanel) {
  ExpectBox("Panel1", "", {0, 0, 450, 656});
  ExpectBox("BitBtn9", "", {6, 662, 95, 25});
  ExpectBox("BitBtn6", "", {180, 662, 85, 25});
  ExpectBox("BitBtn7", "", {270, 662, 85, 25});
  ExpectBox("BitBtn8", "", {360, 662, 85, 25});
  ExpectBox("ScrollBar1", "", {455, 222, 16, 121});
  EXPECT_FALSE(window.ScrollBar1->Enabled());
  ExpectBox("Image_Logo", "Panel1", {12, 13, 41, 25});
  ExpectBox("Label_Logo1", "Panel1", {66, 10, 370, 20});
  ExpectBox("Label_Logo2", "Panel1", {66, 30, 370, 20});
  ExpectBox("GroupBox1", "Panel1", {10, 48, 425, 56});
  ExpectBox("GroupBox2", "Panel1", {10, 112, 425, kYev ? 359 : 296});
  ExpectBox("GroupBox3", "Panel1", kYev ? Box{12, 488, 425, 141} : Box{12, 412, 425, 218});
  ExpectBox("CheckBox1", "Panel1", {12, 634, 424, 17});
  EXPECT_EQ(L"OK", window.BitBtn6->Text());
  EXPECT_EQ(L"Cancel", window.BitBtn7->Text());
  EXPECT_EQ(L"Help", window.BitBtn8->Text());
  EXPECT_EQ(L"About", window.BitBtn9->Text());
  EXPECT_EQ(L"Use KV Zokline Keyboard to configure", window.Label_Logo1->Text());
  EXPECT_EQ(L"the Direct Start buttons on your KV keyboard.", window.Label_Logo2->Text());
  EXPECT_EQ(L"Show KV Zokline Keyboard icon in system tray.", window.CheckBox1->Text());
  EXPECT_FALSE(window.CheckBox1->Checked());
  EXPECT_TRUE(window.CheckBox1->ShowHint());
  EXPECT_EQ(L"Button assignments", window.GroupBox2->Text());
  EXPECT_EQ(L"Num button assignments", window.GroupBox3->Text());
  EXPECT_TRUE(window.GroupBox3->Visible());
  // The logo is the decoded JPEG.
  SIZE logo = window.Image_Logo->PictureSize();
  EXPECT_NE(nullptr, window.Image_Logo->Bitmap());
  EXPECT_EQ(41, logo.cx);
  EXPECT_EQ(25, logo.cy);
  // Fonts: "Default" on the group boxes, logo labels, check box and bottom buttons.
  for (form::Control* control : {static_cast<form::Control*>(window.GroupBox1), static_cast<form::Control*>(window.Label_Logo1),
                                 static_cast<form::Control*>(window.CheckBox1), static_cast<form::Control*>(window.BitBtn6)}) {
    EXPECT_EQ(L"Default", control->Font().Name()) << control->Name();
    EXPECT_EQ(-11, control->Font().Height()) << control->Name();
  }
}

TEST_F(MainWindowTest, SchemeListAndItsButtons) {
  ExpectBox("BitBtn1", "GroupBox1", {255, 20, 80, 25});
  ExpectBox("BitBtn2", "GroupBox1", {340, 20, 80, 25});
  EXPECT_EQ(L"Create", window.BitBtn1->Text());
  EXPECT_EQ(L"Delete", window.BitBtn2->Text());
  EXPECT_EQ(4, window.ComboBox1->Left());
  EXPECT_EQ(23, window.ComboBox1->Top());
  EXPECT_EQ(245, window.ComboBox1->Width());
  EXPECT_EQ(L"SimSun-18030", window.ComboBox1->Font().Name());
  EXPECT_EQ(134, window.ComboBox1->Font().Charset());
  EXPECT_EQ(-11, window.ComboBox1->Font().Height());
  EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongW(window.ComboBox1->Handle(), GWL_STYLE) & 3);
  EXPECT_TRUE(window.ComboBox1->Visible());
  EXPECT_FALSE(window.ComboBox1_999->Visible());
  EXPECT_FALSE(window.ComboBox1_999->Enabled());
  EXPECT_EQ(0, GetWindowLongW(window.ComboBox1_999->Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(-13, window.ComboBox1_999->Font().Height());
  EXPECT_EQ(-1, window.ComboBox1->ItemIndex());
}

TEST_F(MainWindowTest, KeyRowsAndTheirGroups) {
  for (int row = 1; row <= 10; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    KeyRowPlacement place = PlaceKeyRow(kYev, row);
    const std::string n = std::to_string(row);
    const std::string m = std::to_string(10 + row);
    ExpectBox("RadioButton" + n, place.group, {8, place.radio_top, 16, 17});
    ExpectBox("Image" + n, place.group, {30, place.picture_top, 32, 32});
    ExpectBox("Label" + n, place.group, {80, place.label_top, 86, 20});
    ExpectBox("Image" + m, place.group, {place.icon_left, place.icon_top, 16, 16});
    ExpectBox("Label" + m, place.group, {214, place.label_top, 200, 20});
    // Stored key pictures are present; the small pictures are empty as stored.
    EXPECT_TRUE(window.Get<form::Image>("Image" + n).HasPicture());
    EXPECT_FALSE(window.Get<form::Image>("Image" + m).HasPicture());
    EXPECT_TRUE(window.Get<form::Label>("Label" + n).ShowHint());
    EXPECT_TRUE(window.Get<form::Label>("Label" + m).ShowHint());
  }
  // Rows per group.
  const std::string numpad = "GroupBox3";
  EXPECT_EQ(kYev ? "GroupBox2" : numpad, window.RadioButton7->Parent()->Name());
  EXPECT_EQ(kYev ? "GroupBox2" : numpad, window.RadioButton8->Parent()->Name());
  EXPECT_EQ(numpad, window.RadioButton9->Parent()->Name());
  EXPECT_EQ(numpad, window.RadioButton10->Parent()->Name());
  // One checked radio in each group as stored.
  EXPECT_TRUE(window.RadioButton1->Checked());
  EXPECT_EQ(kYev, window.RadioButton10->Checked());
  EXPECT_EQ(!kYev, window.RadioButton7->Checked());
  int checked = 0;
  for (int row = 1; row <= 10; ++row) checked += window.Get<form::RadioButton>("RadioButton" + std::to_string(row)).Checked();
  EXPECT_EQ(2, checked);
  // Clicking in one group leaves the other group's choice alone.
  window.RadioButton2->Click();
  EXPECT_FALSE(window.RadioButton1->Checked());
  EXPECT_EQ(kYev, window.RadioButton10->Checked());
  // The group buttons.
  ExpectBox("BitBtn3", "GroupBox2", kYev ? Box{296, 328, 125, 25} : Box{295, 262, 125, 25});
  ExpectBox("BitBtn5", "GroupBox3", kYev ? Box{295, 105, 125, 25} : Box{295, 184, 125, 25});
  ExpectBox("BitBtn4", kYev ? "GroupBox2" : "GroupBox3", kYev ? Box{165, 328, 125, 25} : Box{165, 184, 125, 25});
  EXPECT_EQ(L"Configure buttons", window.BitBtn3->Text());
  EXPECT_EQ(L"Configure buttons", window.BitBtn5->Text());
  EXPECT_EQ(L"View functions", window.BitBtn4->Text());
  // Key rows take their group box's font.
  EXPECT_EQ(L"Default", window.Label11->Font().Name());
}

TEST_F(MainWindowTest, HiddenColumnsLieRightOfTheVisibleArea) {
  const wchar_t* titles[] = {L"caption", L"assign", L"function", L"linkto", L"vkey"};
  for (int i = 1; i <= 5; ++i) {
    SCOPED_TRACE(i);
    auto& column = window.Get<form::ListBox>("TntListBox" + std::to_string(i));
    auto& title = window.Get<form::Label>("TntLabel" + std::to_string(i));
    EXPECT_FALSE(column.Visible());
    EXPECT_FALSE(title.Visible());
    EXPECT_GE(column.Left(), 495);
    EXPECT_EQ(0, GetWindowLongW(column.Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(titles[i - 1], title.Text());
    EXPECT_EQ(0, column.Count());
  }
  // Titles stand over their columns: "vkey" (TntLabel5) over column 4, "linkto" over column 5.
  EXPECT_EQ(window.TntListBox4->Left(), window.TntLabel5->Left());
  EXPECT_EQ(window.TntListBox5->Left(), window.TntLabel4->Left());
  EXPECT_FALSE(window.ActIndex->Visible());
  EXPECT_GE(window.ActIndex->Left(), 495);
  EXPECT_EQ(L"ActIndex", window.ActIndex->Text());
  EXPECT_EQ(0, GetWindowLongW(window.ActIndex->Handle(), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(MainWindowTest, ImageListsHoldTheirPictures) {
  EXPECT_EQ(0, window.ImageList1->Count());
  EXPECT_EQ(8, window.DefKVFn_ImgLst->Count());
  EXPECT_EQ(13, window.NumPadFn_ImgLst->Count());
  EXPECT_EQ(3, window.MediaFn_ImgLst->Count());
  EXPECT_EQ(kYev ? 8 : 7, window.DefFn_ImgLst->Count());
}

TEST_F(MainWindowTest, ComponentTablesByTheNumberInTheName) {
  for (int i = 0; i < kRadioTableSize; ++i) {
    if (i >= 1 && i <= 10) {
      ASSERT_NE(nullptr, RadioTable[i]) << i;
      EXPECT_EQ("RadioButton" + std::to_string(i), RadioTable[i]->Name());
    } else {
      EXPECT_EQ(nullptr, RadioTable[i]) << i;
    }
  }
  for (int i = 0; i < kLabelTableSize; ++i) {
    if (i >= 1 && i <= 20) {
      ASSERT_NE(nullptr, LabelTable[i]) << i;
      EXPECT_EQ("Label" + std::to_string(i), LabelTable[i]->Name());
    } else {
      EXPECT_EQ(nullptr, LabelTable[i]) << i;
    }
  }
  EXPECT_EQ(window.Label11, LabelTable[11]);
  EXPECT_EQ(window.RadioButton1, RadioTable[1]);
}

// The About picture is carried as JPEG data; once decoded, text can be drawn on it.
TEST_F(MainWindowTest, PicturesDecodeAndTakeTextOnTheirCanvas) {
  form::Image& image = *window.Image_Logo;
  image.LoadJpegResource("ABOUT");
  SIZE size = image.PictureSize();
  EXPECT_EQ(363, size.cx);
  EXPECT_EQ(277, size.cy);
  form::Canvas& canvas = image.GetCanvas();
  auto white_pixels = [&] {
    int count = 0;
    for (int y = 173; y < 190; ++y) {
      for (int x = 290; x < 340; ++x) count += GetPixel(canvas.Handle(), x, y) == RGB(255, 255, 255);
    }
    return count;
  };
  EXPECT_EQ(0, white_pixels());  // the corner for the version text is dark
  canvas.SetTransparentText(true);
  canvas.SetTextColor(RGB(255, 255, 255));
  canvas.TextOutA(290, 173, "1.2.3");
  EXPECT_GT(white_pixels(), 10);
  // An icon holds no bitmap to draw on.
  EXPECT_THROW(window.Image1->GetCanvas(), form::Error);
  EXPECT_THROW(image.LoadJpegResource("NO_SUCH_PICTURE"), form::Error);
}

TEST(MainWindowLifeTest, WindowsComeAndGoWithTheirTables) {
  form::Application app;
  {
    Tzokcfg_0 first(app);
    EXPECT_EQ(&first, zokcfg_0);
  }
  EXPECT_EQ(nullptr, zokcfg_0);
  EXPECT_EQ(nullptr, RadioTable[1]);
  EXPECT_EQ(nullptr, LabelTable[11]);
  Tzokcfg_0 second(app);
  EXPECT_EQ(second.RadioButton1, RadioTable[1]);
}

}  // namespace
