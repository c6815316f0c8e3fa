// The key rows of a real main window in the variant this test is built for: labels, small
// pictures, enable states, radio groups and the dialog buttons (with stand-in dialogs).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "main_window/associated_icon.h"
#include "main_window/dialog_windows.h"
#include "main_window/file_title.h"
#include "main_window/key_pictures.h"
#include "main_window/main_window.h"
#include "main_window/selected_rows.h"
#include "store/program_texts.h"
#include "store/scheme_records.h"
#include "demo_install.h"
#include "registry_keys.h"
#include "test_support.h"
#include "variant.h"

using namespace testing_support;

namespace {

constexpr bool kYev = variant::kIsYev;
constexpr wchar_t kComputer[] = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

TEST(KeyPicturesTest, TableIconsAndFileTitles) {
  EXPECT_TRUE((FunctionIconTable(13, 27) == PictureChoice{PictureList::kNumPadFn, 0}));
  EXPECT_TRUE((FunctionIconTable(12, 27) == PictureChoice{PictureList::kNumPadFn, 12}));
  for (int32_t link : {16, -1}) EXPECT_EQ(PictureList::kLink, FunctionIconTable(link, 27).list);

  for (const wchar_t* path : {L"", L"*.*", L"...", L"c:", L"C:\\", L"C:\\no such file.exe"})
    EXPECT_EQ(nullptr, GetAssociatedIcon(path, 0)) << path;
  // The platform writes into the buffer it gets (here: the program that opens text files);
  // the caller's text stays as it was.
  ScratchFolder folder;
  const std::wstring note = folder.File(L"note.txt"), before = note;
  ASSERT_TRUE(WriteTextFile(note, "text"));
  if (HICON icon = GetAssociatedIcon(note.c_str(), 0)) DestroyIcon(icon);
  EXPECT_EQ(before, std::wstring(note.c_str()));

  EXPECT_EQ(L"report.final.exe", ExtractFileTitle(L"C:\\a.b\\report.final.exe", true));
  EXPECT_EQ(L"report.final", ExtractFileTitle(L"C:\\a.b\\report.final.exe", false));
  EXPECT_EQ(L"README", ExtractFileTitle(L"C:\\a.b\\README", false));
  EXPECT_EQ(L"c:/x/y", ExtractFileTitle(L"c:/x/y.txt", false));
}

// The colour and mask bits of a 16 x 16 icon.
std::string IconBits(HICON icon) {
  ICONINFO info{};
  std::string bits;
  if (icon && GetIconInfo(icon, &info)) {
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
      std::string part(16 * 16 * 4, '\0');
      part.resize(GetBitmapBits(bitmap, static_cast<LONG>(part.size()), &part[0]));
      bits += part;
      DeleteObject(bitmap);
    }
  }
  return bits;
}

std::string EntryBits(const form::ImageList& list, int index) {
  HICON icon = list.GetIcon(index);
  const std::string bits = IconBits(icon);
  DestroyIcon(icon);
  return bits;
}

class KeyRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    IniData = ini_data();
    CurScheme = scheme_data();
    IniData.numbutton = 10;
    for (const wchar_t* name : {L"Factory", L"One", L"Two"}) window_.ComboBox1->Add(name);
  }
  void TearDown() override { zokcfg_1 = zokcfg_2 = zokcfg_3 = zokcfg_4 = nullptr; }

  // Which list entry the small picture of key `key` (Image11 + key) shows: "DefKVFn 3", ...,
  // "other", or "" when it shows none.
  std::string PictureOf(int key) {
    const std::string bits = IconBits(window_.Get<form::Image>("Image" + std::to_string(11 + key)).Icon());
    if (bits.empty()) return "";
    const std::pair<const char*, form::ImageList*> lists[] = {
        {"DefKVFn", window_.DefKVFn_ImgLst}, {"DefFn", window_.DefFn_ImgLst},
        {"NumPadFn", window_.NumPadFn_ImgLst}, {"MediaFn", window_.MediaFn_ImgLst}};
    for (const auto& list : lists)
      for (int i = 0; i < list.second->Count(); ++i)
        if (EntryBits(*list.second, i) == bits) return list.first + (" " + std::to_string(i));
    return "other";
  }
  form::RadioButton* Radio(int key) {
    return &window_.Get<form::RadioButton>("RadioButton" + std::to_string(key + 1));
  }
  form::Label* Label(int number) { return &window_.Get<form::Label>("Label" + std::to_string(number)); }
  // A form standing in for a dialog: shown modally, it notes its name and the key it edits,
  // runs `during` and closes.
  form::Form* StandIn(const char* name, std::function<void()> during = {}) {
    form::Layout layout;
    layout.form.name = name;
    layout.form.class_name = L"TStandIn";
    stand_ins_.push_back(std::make_unique<form::Form>(app_, layout, form::Handlers{}));
    form::Form* form = stand_ins_.back().get();
    form->OnShow = [this, name, during, form](form::Component&) {
      shown_.push_back(std::string(name) + " " + std::to_string(EditButton));
      if (during) during();
      form->SetModalResult(1);
    };
    return form;
  }

  form::Application app_;
  Tzokcfg_0 window_{app_};
  std::vector<std::unique_ptr<form::Form>> stand_ins_;
  std::vector<std::string> shown_;
};

TEST_F(KeyRowsTest, LabelsAndSmallPictures) {
  for (int key = 0; key < 10; ++key) CurScheme.keys[key].caption = L"cap" + std::to_wstring(key);
  CurScheme.keys[0] = {4, 0, L"~caption", L"~assign", L""};
  CurScheme.keys[1].caption = L"~Caption";
  window_.RefreshButtonLabels();
  EXPECT_EQ(L"", Label(1)->Text() + Label(1)->Hint() + Label(11)->Text() + Label(11)->Hint());
  EXPECT_EQ(L"~Caption", Label(2)->Hint());
  EXPECT_EQ(L"cap9", Label(10)->Text());

  IniData.numhkbtns = 9;  // one more than the factory pictures
  const std::wstring links[] = {L"", L"C:\\no such file.exe", L"", L"*.*", L"c:", kComputer,
                                L"::{20d04fe0-3aea-1069-a2d8-08002b30309d}", L"", L"C:\\",
                                L"C:\\windows\\system32\\notepad.exe"};
  const int32_t functions[] = {13, 4, 12, 16, -1, 4, 0, 13, 4, 4};
  for (int key = 0; key < 10; ++key)
    SetButtonRecord(IniData.schemedata.keys[key], functions[key], key == 0 ? 27 : 65, L"", L"", links[key]);
  window_.LoadDefaultIcons();
  window_.RefreshButtonIcons();
  std::vector<std::string> pictures;
  for (int key = 0; key < 10; ++key) pictures.push_back(PictureOf(key));
  const std::vector<std::string> expected = {
      "NumPadFn 0", "DefKVFn 1", "NumPadFn 12", "DefKVFn 3", "DefKVFn 4",
      kYev ? "DefFn 7" : "DefKVFn 5", "DefKVFn 6", "DefKVFn 7", "DefFn 1", "other"};
  EXPECT_EQ(expected, pictures);
  // The program's own icon gives way to the default picture the entry held before it.
  IniData.schemedata.keys[9].linkto = L"C:\\no such file.exe";
  window_.RefreshButtonIcons();
  EXPECT_EQ("DefFn 1", PictureOf(9));

  // From numhkbtns on the general default; keys at and above numbutton show no picture.
  IniData.numhkbtns = 3;
  IniData.numbutton = 8;
  window_.RefreshButtonIcons();
  EXPECT_EQ("DefFn 1", PictureOf(3));
  EXPECT_TRUE(window_.Image14->HasPicture());
  EXPECT_FALSE(window_.Image19->HasPicture() || window_.Image20->HasPicture());
  IniData.numbutton = 99999;  // damaged: never more than the ten keys
  window_.LoadDefaultIcons();
  EXPECT_EQ(10, window_.ImageList1->Count());
}

// Each function code with a picture of its own, and the virtual keys of code 13 that have one.
TEST_F(KeyRowsTest, EveryFunctionShowsItsOwnPicture) {
  IniData.numhkbtns = 8;
  const int32_t functions[] = {5, 6, 7, 8, 9, 10, 11, 14, 15, 13};
  for (int key = 0; key < 10; ++key)
    SetButtonRecord(IniData.schemedata.keys[key], functions[key], 8, L"", L"", L"~linkto");
  window_.LoadDefaultIcons();
  window_.RefreshButtonIcons();
  std::vector<std::string> pictures;
  for (int key = 0; key < 10; ++key) pictures.push_back(PictureOf(key));
  EXPECT_EQ((std::vector<std::string>{"NumPadFn 11", "MediaFn 0", "MediaFn 2", "MediaFn 1", "DefFn 6",
                                      "NumPadFn 3", "NumPadFn 4", "NumPadFn 2", "NumPadFn 1", "NumPadFn 8"}),
            pictures);

  SetButtonRecord(IniData.schemedata.keys[0], 13, 9, L"", L"", L"~linkto");
  SetButtonRecord(IniData.schemedata.keys[1], 13, 46, L"", L"", L"~linkto");
  window_.RefreshButtonIcons();
  EXPECT_EQ("NumPadFn 9", PictureOf(0));
  EXPECT_EQ("NumPadFn 10", PictureOf(1));
}

TEST_F(KeyRowsTest, EnableStatesFollowTheSelectedScheme) {
  window_.BitBtn9->SetEnabled(false);
  for (int index : {0, -1, 2}) {
    window_.ComboBox1->SetItemIndex(index);
    window_.UpdateEnableStates();
    std::vector<form::Control*> edits = {window_.BitBtn2, window_.BitBtn3, window_.BitBtn4, window_.BitBtn5};
    for (int key = 0; key < 10; ++key) edits.push_back(Radio(key));
    for (form::Control* control : edits) EXPECT_EQ(index != 0, control->Enabled()) << control->Name();
    EXPECT_TRUE(window_.BitBtn1->Enabled() && !window_.BitBtn9->Enabled());
  }
}

// A click selects its key for the dialogs and in its own group; the other group keeps its key.
TEST_F(KeyRowsTest, RadioButtonsAndDialogButtons) {
  for (int key = 0; key < 10; ++key) {
    KeyRow = NumPadRow = -7;
    Radio(key)->Click();
    const bool numpad = Radio(key)->Parent() == window_.GroupBox3;
    EXPECT_EQ(numpad, KeyInNumPadGroup(key, kYev)) << key;
    EXPECT_EQ(key, EditButton);
    EXPECT_EQ(numpad ? -7 : key, KeyRow);
    EXPECT_EQ(numpad ? key : -7, NumPadRow);
  }
  EXPECT_TRUE(Radio(9)->Checked() && Radio(kYev ? 7 : 5)->Checked());

  zokcfg_1 = StandIn("create");
  zokcfg_2 = StandIn("configure", [] { CurScheme.keys[EditButton].caption = L"edited"; });
  zokcfg_3 = StandIn("view");
  zokcfg_4 = StandIn("about");
  window_.ComboBox1->SetItemIndex(0);
  window_.BitBtn3->Click();  // the factory scheme: nothing
  window_.BitBtn4->Click();
  window_.ComboBox1->SetItemIndex(-1);
  window_.BitBtn3->Click();  // no selection: nothing
  window_.BitBtn5->Click();
  window_.ComboBox1->SetItemIndex(2);
  Radio(2)->Click();
  window_.BitBtn3->Click();
  window_.BitBtn4->Click();
  window_.BitBtn1->Click();
  window_.BitBtn9->Click();
  // View functions edits the key group's key in YEV, the numpad group's in ZOK.
  const std::string viewed = kYev ? "2" : "9";
  EXPECT_EQ((std::vector<std::string>{"configure 9", "configure 2", "view " + viewed,
                                      "create " + viewed, "about " + viewed}),
            shown_);
  EXPECT_EQ(L"edited", Label(3)->Text());  // refreshed after the dialog

  // Without the dialogs the buttons show nothing and still refresh.
  zokcfg_2 = nullptr;
  CurScheme.keys[2].caption = L"refreshed";
  window_.BitBtn3->Click();
  EXPECT_EQ(L"refreshed", Label(3)->Text());
}

// Start-up on the demo installation draws the active scheme; the numpad group's Configure
// before any click there edits the key its group shows checked (YEV 9, ZOK 6).
TEST_F(KeyRowsTest, StartUpDrawsTheSchemeAndSelectsTheCheckedNumPadKey) {
  using namespace registry_test;
  RemoveTree(L"C:\\KVZOK");
  ScratchFolder install;
  for (const wchar_t* file : {L"obj0409.set", L"obj0409.bcm"})
    ASSERT_TRUE(CopyFileW(startup_test::DemoInstallFile(file).c_str(), install.File(file).c_str(), FALSE));
  SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", install.path());
  NumPadRow = -5;
  window_.RunCreate();
  for (int key = 0; key < 10; ++key) {
    const std::wstring caption = L"caption" + std::to_wstring(key);
    EXPECT_EQ(startup_test::ProfileText(UserSchemeFile, L"0", caption.c_str()), Label(key + 1)->Text());
  }
  EXPECT_EQ("DefFn 4", PictureOf(2));  // the file's function 2
  zokcfg_2 = StandIn("configure");
  window_.BitBtn5->Click();
  EXPECT_EQ(std::vector<std::string>{kYev ? "configure 9" : "configure 6"}, shown_);
  RemoveTree(L"C:\\KVZOK");
  DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
  DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
}

}  // namespace
