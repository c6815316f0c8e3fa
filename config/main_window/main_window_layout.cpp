#include "main_window/main_window_layout.h"

#include <string>

namespace {

using form::Kind;
using form::Row;

// Rows of each group from the top, by row number.
constexpr int kYevKeyGroupRows[] = {1, 2, 3, 4, 5, 6, 7, 8};
constexpr int kYevNumPadRows[] = {10, 9};
constexpr int kZokKeyGroupRows[] = {1, 2, 3, 4, 5, 6};
constexpr int kZokNumPadRows[] = {7, 8, 10, 9};

const form::FontAttributes kDefaultFont{L"Default", -11, -1};

std::string Numbered(const char* kind, int number) { return kind + std::to_string(number); }

template <size_t N>
int SlotOf(const int (&rows)[N], int row) {
  for (size_t i = 0; i < N; ++i) {
    if (rows[i] == row) return static_cast<int>(i);
  }
  return -1;
}

void AddKeyRow(form::Layout& layout, bool yev, int row) {
  const KeyRowPlacement place = PlaceKeyRow(yev, row);
  const std::string& group = place.group;
  form::ComponentRow radio =
      Row(Numbered("RadioButton", row), Kind::kRadioButton, group, kRadioLeft, place.radio_top, kRadioWidth,
          kRadioHeight)
          .OnClick(Numbered("RadioButton", row) + "Click");
  const int checked_numpad_row = yev ? 10 : 7;
  if (row == 1 || row == checked_numpad_row) radio.Checked();
  layout.rows.push_back(radio);
  layout.rows.push_back(Row(Numbered("Image", row), Kind::kImage, group, kPictureLeft, place.picture_top,
                            kPictureSize, kPictureSize)
                            .Icon(Numbered("KEY", row)));
  layout.rows.push_back(Row(Numbered("Label", row), Kind::kLabel, group, kCaptionLabelLeft, place.label_top,
                            kCaptionLabelWidth, kLabelHeight)
                            .ShowHint());
  layout.rows.push_back(Row(Numbered("Image", 10 + row), Kind::kImage, group, place.icon_left, place.icon_top,
                            kSmallIconSize, kSmallIconSize));
  layout.rows.push_back(Row(Numbered("Label", 10 + row), Kind::kLabel, group, kAssignLabelLeft, place.label_top,
                            kAssignLabelWidth, kLabelHeight)
                            .ShowHint());
}

form::ComponentRow GroupButton(const char* name, const char* group, int left, int top, const wchar_t* text) {
  return Row(name, Kind::kButton, group, left, top, 125, 25).Text(text).OnClick(std::string(name) + "Click");
}

void AddPanelContent(form::Layout& layout, bool yev) {
  auto& rows = layout.rows;
  rows.push_back(Row("Image_Logo", Kind::kImage, "Panel1", 12, 13, 41, 25).Jpeg("LOGO").Transparent());
  rows.push_back(Row("Label_Logo1", Kind::kLabel, "Panel1", 66, 10, 370, 20)
                     .Text(L"Use KV Zokline Keyboard to configure")
                     .Font(kDefaultFont)
                     .Transparent());
  rows.push_back(Row("Label_Logo2", Kind::kLabel, "Panel1", 66, 30, 370, 20)
                     .Text(L"the Direct Start buttons on your KV keyboard.")
                     .Font(kDefaultFont)
                     .Transparent());

  rows.push_back(Row("GroupBox1", Kind::kGroupBox, "Panel1", 10, 48, 425, 56).Text(L"Button theme").Font(kDefaultFont));
  rows.push_back(Row("ComboBox1", Kind::kComboBox, "GroupBox1", 4, 23, 245, 19)
                     .Font(form::FontAttributes{L"SimSun-18030", -11, 134})
                     .ItemHeight(11)
                     .OnClick("ComboBox1_999Click"));
  rows.push_back(Row("ComboBox1_999", Kind::kComboBox, "GroupBox1", 10, 20, 150, 24)
                     .Font(form::FontAttributes{L"", -13, -1})
                     .ItemHeight(16)
                     .Hidden()
                     .Disabled()
                     .NoTabStop()
                     .OnClick("ComboBox1_999Click"));
  rows.push_back(Row("BitBtn1", Kind::kButton, "GroupBox1", 255, 20, 80, 25).Text(L"Create").OnClick("BitBtn1Click"));
  rows.push_back(Row("BitBtn2", Kind::kButton, "GroupBox1", 340, 20, 80, 25).Text(L"Delete").OnClick("BitBtn2Click"));

  rows.push_back(Row("GroupBox2", Kind::kGroupBox, "Panel1", 10, 112, 425, yev ? 359 : 296)
                     .Text(L"Button assignments")
                     .Font(kDefaultFont));
  if (yev) {
    for (int row : kYevKeyGroupRows) AddKeyRow(layout, yev, row);
    rows.push_back(GroupButton("BitBtn4", "GroupBox2", 165, 328, L"View functions"));
    rows.push_back(GroupButton("BitBtn3", "GroupBox2", 296, 328, L"Configure buttons"));
  } else {
    for (int row : kZokKeyGroupRows) AddKeyRow(layout, yev, row);
    rows.push_back(GroupButton("BitBtn3", "GroupBox2", 295, 262, L"Configure buttons"));
  }

  if (yev) {
    rows.push_back(Row("GroupBox3", Kind::kGroupBox, "Panel1", 12, 488, 425, 141)
                       .Text(L"Num button assignments")
                       .Font(kDefaultFont));
    for (int row : kYevNumPadRows) AddKeyRow(layout, yev, row);
    rows.push_back(GroupButton("BitBtn5", "GroupBox3", 295, 105, L"Configure buttons"));
  } else {
    rows.push_back(Row("GroupBox3", Kind::kGroupBox, "Panel1", 12, 412, 425, 218)
                       .Text(L"Num button assignments")
                       .Font(kDefaultFont));
    for (int row : kZokNumPadRows) AddKeyRow(layout, yev, row);
    rows.push_back(GroupButton("BitBtn4", "GroupBox3", 165, 184, L"View functions"));
    rows.push_back(GroupButton("BitBtn5", "GroupBox3", 295, 184, L"Configure buttons"));
  }

  rows.push_back(Row("CheckBox1", Kind::kCheckBox, "Panel1", 12, 634, 424, 17)
                     .Text(L"Show KV Zokline Keyboard icon in system tray.")
                     .Font(kDefaultFont)
                     .ShowHint()
                     .OnClick("CheckBox1Click"));
}

// The row table's five hidden columns with their titles, and the row-number field, right of
// the visible area.
void AddHiddenColumns(form::Layout& layout) {
  constexpr int kFirstLeft = 495, kStep = 125, kWidth = 120;
  // Column titles in column order: TntLabel4 "linkto" stands over column 5, TntLabel5 "vkey"
  // over column 4.
  const struct {
    int label;
    const wchar_t* title;
  } kTitles[] = {{1, L"caption"}, {2, L"assign"}, {3, L"function"}, {5, L"vkey"}, {4, L"linkto"}};
  for (int column = 1; column <= 5; ++column) {
    const int left = kFirstLeft + (column - 1) * kStep;
    layout.rows.push_back(Row(Numbered("TntLabel", kTitles[column - 1].label), Kind::kLabel, "", left, 6, kWidth, 16)
                              .Text(kTitles[column - 1].title)
                              .Font(kDefaultFont)
                              .Hidden());
    layout.rows.push_back(Row(Numbered("TntListBox", column), Kind::kListBox, "", left, 24, kWidth, 150)
                              .Font(kDefaultFont)
                              .Hidden()
                              .NoTabStop());
  }
  layout.rows.push_back(Row("ActIndex", Kind::kEdit, "", kFirstLeft, 180, kWidth, 21)
                            .Text(L"ActIndex")
                            .Font(kDefaultFont)
                            .Hidden()
                            .NoTabStop()
                            .OnKeyUp("ActIndexKeyUp"));
}

void AddImageLists(form::Layout& layout, bool yev) {
  layout.rows.push_back(Row("ImageList1", Kind::kImageList, "", 0, 0, 0, 0));
  layout.rows.push_back(Row("DefKVFn_ImgLst", Kind::kImageList, "", 0, 0, 0, 0).Images("DEFKVFN", 8));
  layout.rows.push_back(Row("NumPadFn_ImgLst", Kind::kImageList, "", 0, 0, 0, 0).Images("NUMPADFN", 13));
  layout.rows.push_back(Row("MediaFn_ImgLst", Kind::kImageList, "", 0, 0, 0, 0).Images("MEDIAFN", 3));
  layout.rows.push_back(Row("DefFn_ImgLst", Kind::kImageList, "", 0, 0, 0, 0).Images("DEFFN", yev ? 8 : 7));
}

}  // namespace

KeyRowPlacement PlaceKeyRow(bool yev, int row) {
  KeyRowPlacement place;
  int key_slot = yev ? SlotOf(kYevKeyGroupRows, row) : SlotOf(kZokKeyGroupRows, row);
  int numpad_slot = yev ? SlotOf(kYevNumPadRows, row) : SlotOf(kZokNumPadRows, row);
  place.group = key_slot >= 0 ? "GroupBox2" : "GroupBox3";
  place.slot = key_slot >= 0 ? key_slot : numpad_slot;
  const int step = 40 * place.slot;
  place.radio_top = 28 + step;
  place.picture_top = 20 + step;
  place.label_top = 30 + step;
  place.icon_top = 28 + step;
  place.icon_left = key_slot >= 0 ? 192 : 193;
  if (yev && (row == 7 || row == 8)) {
    // Rows 7 and 8 of the YEV key group stand at their own tops.
    const int second = row == 8 ? 40 : 0;
    place.picture_top = 259 + second;
    place.radio_top = 267 + second;
    place.label_top = 269 + second;
    place.icon_top = 265 + second;
    place.icon_left = 191;
  } else if (yev && numpad_slot >= 0) {
    // The YEV numpad rows stand one pixel lower than the rule.
    place.picture_top += 1;
    place.radio_top += 1;
    place.label_top += 1;
    place.icon_top += 1;
  }
  return place;
}

form::Layout MainWindowLayout(bool yev) {
  form::Layout layout;
  layout.form = form::Window("zokcfg_0", L"Tzokcfg_0", L"KV Zokline Keyboard Software", form::BorderStyle::kSingle,
                             449, 691)
                    .At(293, 22)
                    .Font(form::FontAttributes{L"MS Sans Serif", -11, DEFAULT_CHARSET})
                    .OnCreate("FormCreate")
                    .OnShow("FormShow")
                    .OnResize("FormResize")
                    .OnDestroy("FormDestroy");

  layout.rows.push_back(Row("Panel1", Kind::kPanel, "", 0, 0, 450, 656)
                            .Bevels(form::Bevel::kRaised, form::Bevel::kLowered)
                            .NoTabStop());
  AddPanelContent(layout, yev);
  layout.rows.push_back(Row("BitBtn9", Kind::kButton, "", 6, 662, 95, 25).Text(L"About").Font(kDefaultFont).OnClick("BitBtn9Click"));
  layout.rows.push_back(Row("BitBtn6", Kind::kButton, "", 180, 662, 85, 25).Text(L"OK").Font(kDefaultFont).OnClick("BitBtn6Click"));
  layout.rows.push_back(Row("BitBtn7", Kind::kButton, "", 270, 662, 85, 25).Text(L"Cancel").Font(kDefaultFont).OnClick("BitBtn7Click"));
  layout.rows.push_back(Row("BitBtn8", Kind::kButton, "", 360, 662, 85, 25).Text(L"Help").Font(kDefaultFont).OnClick("BitBtn8Click"));
  layout.rows.push_back(Row("ScrollBar1", Kind::kScrollBar, "", 455, 222, 16, 121).Disabled().OnScroll("ScrollBar1Scroll"));
  AddHiddenColumns(layout);
  AddImageLists(layout, yev);
  return layout;
}
