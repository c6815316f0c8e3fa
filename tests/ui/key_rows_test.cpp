// The key rows of a real main window in the variant this test is built for: radio selection,
// the dialog buttons with stand-in dialogs, labels and hints, small pictures, enable states.
#include <gtest/gtest.h>

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

TEST(KeyPicturesTest, FunctionTableDefaultsAndComputerLink) {
  using L = PictureList;
  EXPECT_TRUE((FunctionIconTable(13, 27) == PictureChoice{L::kNumPadFn, 0}));
  EXPECT_TRUE((FunctionIconTable(13, 65) == PictureChoice{L::kKeyDefault, 0}));
  EXPECT_TRUE((FunctionIconTable(12, 27) == PictureChoice{L::kNumPadFn, 12}));
  for (int32_t link : {0, 4, 16, -1}) EXPECT_EQ(L::kLink, FunctionIconTable(link, 27).list) << link;
  // Factory pictures exist for keys 0 .. 7 only, whatever numhkbtns says.
  EXPECT_TRUE((DefaultKeyPicture(1, 3, 8) == PictureChoice{L::kDefKVFn, 1}));
  EXPECT_TRUE((DefaultKeyPicture(5, 3, 8) == PictureChoice{L::kDefFn, 1}));
  EXPECT_TRUE((DefaultKeyPicture(8, 10, 8) == PictureChoice{L::kDefFn, 1}));
  EXPECT_TRUE(IsComputerLink(kComputer, true));
  EXPECT_FALSE(IsComputerLink(kComputer, false));
  EXPECT_FALSE(IsComputerLink(L"::{20d04fe0-3aea-1069-a2d8-08002b30309d}", true));
}

TEST(AssociatedIconTest, RefusalsAndTheCallersPath) {
  for (const wchar_t* path : {L"", L"*.*", L"...", L"c:", L"C:\\", L"z:\\", L"C:\\no such file.exe"})
    EXPECT_EQ(nullptr, GetAssociatedIcon(path, 0)) << path;
  EXPECT_EQ(nullptr, GetAssociatedIcon(nullptr, 0));
  EXPECT_EQ(nullptr, GetAssociatedIcon((L"C:\\" + std::wstring(400, L'a')).c_str(), 0));

  // The platform writes into the buffer it gets; the caller's text stays as it was.
  ScratchFolder folder;
  const std::wstring note = folder.File(L"note.txt");
  ASSERT_TRUE(WriteTextFile(note, "text"));
  const std::wstring before = note;
  if (HICON icon = GetAssociatedIcon(note.c_str(), 0)) DestroyIcon(icon);
  EXPECT_EQ(before, std::wstring(note.c_str()));
  HICON own = GetAssociatedIcon(BinPath(L"zokcfg.exe").c_str(), 0);
  EXPECT_NE(nullptr, own);
  if (own) DestroyIcon(own);
}

TEST(FileTitleTest, NameWithAndWithoutExtension) {
  EXPECT_EQ(L"report.final.exe", ExtractFileTitle(L"C:\\a.b\\report.final.exe", true));
  EXPECT_EQ(L"report.final", ExtractFileTitle(L"C:\\a.b\\report.final.exe", false));
  EXPECT_EQ(L"README", ExtractFileTitle(L"C:\\a.b\\README", false));
  EXPECT_EQ(L"c:/x/y", ExtractFileTitle(L"c:/x/y.txt", false));
  EXPECT_EQ(L"", ExtractFileTitle(L"C:\\folder\\", false));
  EXPECT_EQ(L"", ExtractFileTitle(L".profile", false));
}

// Colour and mask bits of an icon.
std::vector<DWORD> IconBits(HICON icon) {
  std::vector<DWORD> bits;
  ICONINFO info;
  if (!icon || !GetIconInfo(icon, &info)) return bits;
  HDC dc = GetDC(nullptr);
  for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
    if (!bitmap) continue;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = 16;
    header.bmiHeader.biHeight = -16;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<DWORD> part(16 * 16);
    GetDIBits(dc, bitmap, 0, 16, part.data(), &header, DIB_RGB_COLORS);
    bits.insert(bits.end(), part.begin(), part.end());
    DeleteObject(bitmap);
  }
  ReleaseDC(nullptr, dc);
  return bits;
}

std::vector<DWORD> EntryBits(const form::ImageList& list, int index) {
  HICON icon = list.GetIcon(index);
  std::vector<DWORD> bits = IconBits(icon);
  DestroyIcon(icon);
  return bits;
}

// A form that stands in for a dialog: showing it modally records its name and what the
// window shows at that moment, runs `during`, and closes it.
class StandInDialog {
 public:
  StandInDialog(form::Application& app, const char* name, std::vector<std::string>& shown)
      : form_(app, Layout(name), {}) {
    form_.OnShow = [this, name, &shown](form::Component&) {
      shown.push_back(std::string(name) + " key " + std::to_string(EditButton));
      if (during) during();
      form_.SetModalResult(1);
    };
  }
  form::Form* get() { return &form_; }
  std::function<void()> during;

 private:
  static form::Layout Layout(const char* name) {
    form::Layout layout;
    layout.form.name = name;
    layout.form.class_name = L"TStandInDialog";
    layout.form.client_width = 100;
    layout.form.client_height = 50;
    return layout;
  }
  form::Form form_;
};

class KeyRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    IniData = ini_data();
    CurScheme = scheme_data();
    IniData.numbutton = 10;
    IniData.numhkbtns = 8;
    for (const wchar_t* name : {L"Factory", L"One", L"Two"}) window_.ComboBox1->Add(name);
  }
  void TearDown() override { zokcfg_1 = zokcfg_2 = zokcfg_3 = zokcfg_4 = nullptr; }

  void SetKey(int key, int32_t function, int32_t vkey, const std::wstring& linkto) {
    SetButtonRecord(IniData.schemedata.keys[key], function, vkey, L"c", L"a", linkto);
  }
  // Which list entry ImageList1 entry `key` shows: "DefKVFn 3", ..., or "other".
  std::string PictureOf(int key) {
    const std::vector<DWORD> bits = EntryBits(*window_.ImageList1, key);
    const std::pair<const char*, form::ImageList*> lists[] = {
        {"DefKVFn", window_.DefKVFn_ImgLst}, {"DefFn", window_.DefFn_ImgLst},
        {"NumPadFn", window_.NumPadFn_ImgLst}, {"MediaFn", window_.MediaFn_ImgLst}};
    for (const auto& list : lists)
      for (int i = 0; i < list.second->Count(); ++i)
        if (EntryBits(*list.second, i) == bits) return std::string(list.first) + " " + std::to_string(i);
    return "other";
  }
  std::vector<std::string> Pictures() {
    std::vector<std::string> pictures;
    for (int key = 0; key < window_.ImageList1->Count(); ++key) pictures.push_back(PictureOf(key));
    return pictures;
  }
  form::RadioButton* Radio(int key) {
    return &window_.Get<form::RadioButton>("RadioButton" + std::to_string(key + 1));
  }
  std::vector<form::Control*> EditControls() {
    std::vector<form::Control*> controls = {window_.BitBtn2, window_.BitBtn3, window_.BitBtn4,
                                            window_.BitBtn5};
    for (int key = 0; key < 10; ++key) controls.push_back(Radio(key));
    return controls;
  }

  form::Application app_;
  Tzokcfg_0 window_{app_};
};

TEST_F(KeyRowsTest, LabelsShowTheWorkingSetWithoutSentinels) {
  IniData.numbutton = 8;
  for (int key = 0; key < 10; ++key)
    SetButtonRecord(CurScheme.keys[key], 4, 0, L"cap" + std::to_wstring(key), L"as" + std::to_wstring(key), L"");
  CurScheme.keys[0].caption = L"~caption";
  CurScheme.keys[0].assign = L"~assign";
  CurScheme.keys[1].caption = L"~Caption";
  CurScheme.keys[1].assign = L"";
  window_.RefreshButtonLabels();
  EXPECT_EQ(L"", window_.Label1->Text());
  EXPECT_EQ(L"", window_.Label1->Hint());
  EXPECT_EQ(L"", window_.Label11->Hint());
  EXPECT_EQ(L"~Caption", window_.Label2->Text());
  EXPECT_EQ(L"~Caption", window_.Label2->Hint());
  EXPECT_EQ(L"", window_.Label12->Text());
  // Keys at and above numbutton still show the working set's texts.
  EXPECT_EQ(L"cap9", window_.Label10->Text());
  EXPECT_EQ(L"as9", window_.Label20->Hint());
}

TEST_F(KeyRowsTest, SmallPicturesByFunctionLinkAndKey) {
  IniData.numhkbtns = 9;  // more than the eight factory pictures
  window_.LoadDefaultIcons();
  ASSERT_EQ(10, window_.ImageList1->Count());
  EXPECT_EQ("DefKVFn 7", PictureOf(7));
  EXPECT_EQ("DefFn 1", PictureOf(8));

  SetKey(0, 13, 27, L"~linkto");
  SetKey(1, 4, 0, L"C:\\no such file.exe");
  SetKey(2, 12, 0, L"~linkto");
  SetKey(3, 16, 0, L"*.*");
  SetKey(4, -1, 0, L"c:");
  SetKey(5, 4, 0, kComputer);
  SetKey(6, 0, 0, L"::{20d04fe0-3aea-1069-a2d8-08002b30309d}");
  SetKey(7, 13, 65, L"~linkto");
  SetKey(8, 4, 0, L"C:\\");
  SetKey(9, 4, 0, L"C:\\windows\\system32\\notepad.exe");
  window_.RefreshButtonIcons();
  const std::vector<std::string> expected = {
      "NumPadFn 0", "DefKVFn 1", "NumPadFn 12", "DefKVFn 3", "DefKVFn 4",
      kYev ? "DefFn 7" : "DefKVFn 5", "DefKVFn 6", "DefKVFn 7", "DefFn 1", "other"};
  EXPECT_EQ(expected, Pictures());
  EXPECT_EQ(EntryBits(*window_.ImageList1, 9), IconBits(window_.Image20->Icon()));

  // From numhkbtns on, a key without an icon gets the general default; keys at and above
  // numbutton show no picture.
  IniData.numhkbtns = 3;
  IniData.numbutton = 8;
  window_.RefreshButtonIcons();
  EXPECT_EQ("DefKVFn 1", PictureOf(1));
  EXPECT_EQ("DefFn 1", PictureOf(3));
  EXPECT_EQ(EntryBits(*window_.ImageList1, 3), IconBits(window_.Image14->Icon()));
  EXPECT_FALSE(window_.Image19->HasPicture());
  EXPECT_FALSE(window_.Image20->HasPicture());

  // A damaged key count draws no more than the ten keys.
  IniData.numbutton = 99999;
  window_.LoadDefaultIcons();
  window_.RefreshButtonIcons();
  EXPECT_EQ(10, window_.ImageList1->Count());
}

TEST_F(KeyRowsTest, EnableStatesFollowTheSelectedScheme) {
  window_.BitBtn9->SetEnabled(false);
  const bool view_functions_visible = window_.BitBtn4->Visible();
  for (int index : {0, -1, 2}) {
    window_.ComboBox1->SetItemIndex(index);
    window_.UpdateEnableStates();
    for (form::Control* control : EditControls())
      EXPECT_EQ(index != 0, control->Enabled()) << control->Name() << " at " << index;
    EXPECT_TRUE(window_.BitBtn1->Enabled());
    EXPECT_TRUE(window_.BitBtn6->Enabled());
    EXPECT_FALSE(window_.BitBtn9->Enabled());
    EXPECT_EQ(view_functions_visible, window_.BitBtn4->Visible());
  }
}

// A click selects its key for the dialogs and as the selected key of the radio's own group;
// the other group keeps its choice.
TEST_F(KeyRowsTest, RadioButtonsSelectTheirKeyInTheirGroup) {
  for (int key = 0; key < 10; ++key) {
    SCOPED_TRACE(key);
    KeyRow = NumPadRow = -7;
    Radio(key)->Click();
    const bool numpad = Radio(key)->Parent() == window_.GroupBox3;
    EXPECT_EQ(numpad, KeyInNumPadGroup(key, kYev));
    EXPECT_EQ(key, EditButton);
    EXPECT_EQ(numpad ? -7 : key, KeyRow);
    EXPECT_EQ(numpad ? key : -7, NumPadRow);
    EXPECT_TRUE(Radio(key)->Checked());
  }
  EXPECT_TRUE(Radio(9)->Checked() && Radio(kYev ? 7 : 5)->Checked());
}

TEST_F(KeyRowsTest, DialogButtonsShowTheirDialogForTheSelectedKey) {
  std::vector<std::string> shown;
  StandInDialog create(app_, "create", shown), configure(app_, "configure", shown),
      view(app_, "view", shown), about(app_, "about", shown);
  zokcfg_1 = create.get();
  zokcfg_2 = configure.get();
  zokcfg_3 = view.get();
  zokcfg_4 = about.get();
  // The dialog's edits reach the labels once it has closed.
  configure.during = [] { CurScheme.keys[EditButton].caption = L"edited"; };

  // The numpad group's Configure edits the key of its checked radio.
  KeyRow = 0;
  NumPadRow = StoredNumPadRow(kYev);
  window_.ComboBox1->SetItemIndex(0);
  window_.BitBtn5->Click();
  const int numpad_key = kYev ? 9 : 6;
  EXPECT_TRUE(Radio(numpad_key)->Checked());
  EXPECT_EQ(L"edited", (numpad_key == 9 ? window_.Label10 : window_.Label7)->Text());
  window_.BitBtn3->Click();  // factory scheme: nothing
  window_.BitBtn4->Click();
  window_.ComboBox1->SetItemIndex(-1);
  window_.BitBtn3->Click();  // no selection: nothing
  window_.ComboBox1->SetItemIndex(2);
  Radio(2)->Click();
  window_.BitBtn3->Click();
  window_.BitBtn4->Click();
  window_.BitBtn1->Click();
  window_.BitBtn9->Click();
  // View functions edits the key group's key in YEV, the numpad group's in ZOK; Create and
  // About leave the key as it is.
  const std::string numpad = std::to_string(numpad_key);
  const std::string viewed = kYev ? "2" : numpad;
  const std::vector<std::string> expected = {"configure key " + numpad, "configure key 2",
                                             "view key " + viewed, "create key " + viewed,
                                             "about key " + viewed};
  EXPECT_EQ(expected, shown);
  EXPECT_EQ(L"edited", window_.Label3->Text());

  // Without the dialogs the buttons show nothing and still refresh.
  zokcfg_1 = zokcfg_2 = zokcfg_3 = zokcfg_4 = nullptr;
  CurScheme.keys[2].caption = L"refreshed";
  window_.BitBtn3->Click();
  window_.BitBtn1->Click();
  EXPECT_EQ(L"refreshed", window_.Label3->Text());
  EXPECT_EQ(5u, shown.size());
}

// The program's start-up on the demo installation draws the active scheme, and the numpad
// group's Configure before any click there edits the key its group shows checked.
TEST_F(KeyRowsTest, StartUpDrawsTheActiveSchemeAndSelectsTheCheckedNumPadKey) {
  using namespace registry_test;
  const std::wstring data_folder = L"C:\\KVZOK";
  RemoveTree(data_folder);
  ScratchFolder install;
  for (const wchar_t* file : {L"obj0409.set", L"obj0409.bcm"})
    ASSERT_TRUE(CopyFileW(startup_test::DemoInstallFile(file).c_str(), install.File(file).c_str(), FALSE));
  SetText(HKEY_LOCAL_MACHINE, kInstallKey, L"UIPath", install.path());
  NumPadRow = -5;
  window_.RunCreate();

  for (int key = 0; key < 10; ++key) {
    const std::wstring caption = L"caption" + std::to_wstring(key);
    EXPECT_EQ(startup_test::ProfileText(UserSchemeFile, L"0", caption.c_str()),
              window_.Get<form::Label>("Label" + std::to_string(key + 1)).Text());
    EXPECT_TRUE(window_.Get<form::Image>("Image" + std::to_string(11 + key)).HasPicture()) << key;
  }
  ASSERT_EQ(10, window_.ImageList1->Count());
  EXPECT_EQ("DefFn 4", PictureOf(2));  // the file's function 2

  std::vector<std::string> shown;
  StandInDialog configure(app_, "configure", shown);
  zokcfg_2 = configure.get();
  window_.BitBtn5->Click();
  EXPECT_EQ(std::vector<std::string>{std::string("configure key ") + (kYev ? "9" : "6")}, shown);
  RemoveTree(data_folder);
  DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
  DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallKey);
}

}  // namespace
