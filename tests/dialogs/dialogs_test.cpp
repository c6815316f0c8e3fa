// The four dialogs driven as a user would, on a real main window and a real user scheme file:
// fields typed, keys pressed, buttons clicked, message boxes and the open-file dialog answered.
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "dialogs/about_dialog.h"
#include "dialogs/configure_buttons_dialog.h"
#include "dialogs/create_theme_dialog.h"
#include "dialogs/currency_symbol.h"
#include "dialogs/view_functions_dialog.h"
#include "form/work_area.h"
#include "main_window/dialog_windows.h"
#include "main_window/main_window.h"
#include "main_window/scheme_list.h"
#include "main_window/scheme_rows.h"
#include "main_window/selected_rows.h"
#include "store/program_texts.h"
#include "store/text_conversions.h"
#include "system/language_texts.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// A visible message box or file dialog of this process.
HWND OwnBox(DWORD timeout_ms) { return WaitForProcessWindow(GetCurrentProcessId(), L"#32770", timeout_ms); }

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

// Answers the next boxes of this process from another thread, in order, keeping each one's
// caption and text; stops at the first box that does not come within five seconds.
class BoxAnswers {
 public:
  explicit BoxAnswers(std::vector<int> answers)
      : thread_([this, answers] {
          for (int answer : answers) {
            HWND box = OwnBox(5000);
            if (!box) return;
            Sleep(50);
            seen_.push_back({TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))});
            PostMessageW(box, WM_COMMAND, answer, 0);
            WaitUntil([&] { return !IsWindowVisible(box); }, 5000);
          }
        }) {}
  ~BoxAnswers() { Seen(); }
  // Caption and text of each box answered.
  const std::vector<std::vector<std::wstring>>& Seen() {
    if (thread_.joinable()) thread_.join();
    return seen_;
  }

 private:
  std::vector<std::vector<std::wstring>> seen_;
  std::thread thread_;
};

// Three schemes of ten keys: key 0 is ESC (function 13, vkey 27), key k > 0 a link with the
// caption "S<s>K<k>".
std::string ThreeSchemes() {
  std::string text = "[global]\r\nscheme=2\r\ncurrent=1\r\nnumbutton=10\r\ndefault=0\r\nnumhkbtns=8\r\nnumnumpad=4\r\n";
  for (int s = 0; s <= 2; ++s) {
    const std::string n = std::to_string(s);
    text += "[" + n + "]\r\nschemename=Scheme " + n + "\r\n";
    text += "function0=13\r\ncaption0=Esc\r\nassign0=ESC\r\nlinkto0=ESC\r\nvkey0=27\r\n";
    for (int k = 1; k < 10; ++k) {
      const std::string key = std::to_string(k);
      text += "function" + key + "=4\r\ncaption" + key + "=S" + n + "K" + key + "\r\nassign" + key +
              "=x\r\nlinkto" + key + "=C:\\s" + n + ".exe\r\nvkey" + key + "=0\r\n";
    }
  }
  return text;
}

// Message 24 longer than 99 characters, so that it must be shown whole without overrunning.
const std::string kBarMessage = "No bar please: " + std::string(120, 'x') + " end";

std::string LanguageFile() {
  return "[msg]\r\nmsg3=Overwrite?\r\nmsg4=Button themes\r\nmsg18=Replace it?\r\nmsg19=Factory stays\r\nmsg24=" +
         kBarMessage + "\r\n[objects]\r\nzokcfg_1_caption=New theme\r\nzui2_Label1_caption=Caption:\r\n"
         "zui2_BitBtn3_caption=Browse...\r\n";
}

// A key as caption, assign, function, vkey, linkto.
using KeyCells = std::vector<std::wstring>;

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UserSchemeFile = scratch_.File(L"user.ini");
    ASSERT_TRUE(WriteTextFile(UserSchemeFile, ThreeSchemes()));
    ASSERT_TRUE(WriteTextFile(scratch_.File(L"obj0409.set"), LanguageFile()));
    LangIni = new LanguageIni(WideToAnsi(scratch_.File(L"obj0409.set")));
    ASSERT_EQ(0, LoadScheme(window_, UserSchemeFile, L"1", IniData));
    LoadAllSchemeRows(window_);
    SchemeModified = false;
    form::SetWorkAreaSource([] { return RECT{0, 0, 1001, 701}; });
  }
  void TearDown() override {
    form::SetWorkAreaSource(nullptr);
    delete LangIni;
    LangIni = nullptr;
    UserSchemeFile.clear();
    EditButton = 0;
  }

  template <class Dialog>
  std::unique_ptr<Dialog> Create() {
    auto dialog = std::make_unique<Dialog>(app_);
    dialog->RunCreate();
    return dialog;
  }

  // The row of key k of scheme s in the row table, and the key record being edited.
  KeyCells Row(int scheme, int key) {
    const int row = scheme * 10 + key;
    return {window_.TntListBox1->Item(row), window_.TntListBox2->Item(row), window_.TntListBox3->Item(row),
            window_.TntListBox4->Item(row), window_.TntListBox5->Item(row)};
  }
  static KeyCells Record(int key) {
    const hotkey_data& record = IniData.schemedata.keys[key];
    return {record.caption, record.assign, IntToText(record.function), IntToText(record.vkey), record.linkto};
  }
  // After an OK: the row and the record agree, the row is selected, the working set follows.
  void ExpectKeyStored(int key, const KeyCells& expected) {
    EXPECT_EQ(expected, Row(1, key));
    EXPECT_EQ(expected, Record(key));
    EXPECT_EQ(CurScheme.keys[key].caption, expected[0]);
    EXPECT_EQ(CurScheme.keys[key].function, IniData.schemedata.keys[key].function);
    EXPECT_TRUE(SchemeModified);
    EXPECT_EQ(IntToText(10 + key), window_.ActIndex->Text());
  }

  ScratchFolder scratch_;
  form::Application app_;
  Tzokcfg_0 window_{app_};
};

TEST_F(DialogsTest, CreateThemeAppendsANewSchemeAndStartsEmptyAgain) {
  auto dialog = Create<Tzokcfg_1>();
  EXPECT_EQ(DialogFonts[0], dialog->DialogFont.get());
  EXPECT_EQ(L"New theme", dialog->Caption());
  EXPECT_EQ(SS_LEFT, GetWindowLongW(dialog->Label1->Handle(), GWL_STYLE) & SS_TYPEMASK);  // wraps words
  dialog->Show();
  EXPECT_EQ((1001 - dialog->Width()) / 2, dialog->Left());
  EXPECT_FALSE(dialog->BitBtn1->Enabled());
  dialog->Edit1->SetText(L"  ");
  EXPECT_TRUE(dialog->BitBtn1->Enabled());  // spaces count as a name
  dialog->Edit1->SetText(L"Fresh");
  SchemeModified = true;
  dialog->BitBtn1->Click();

  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(3u, GetPrivateProfileIntW(L"global", L"scheme", 9, UserSchemeFile.c_str()));
  // "global" was written whole before "scheme" moved on: its "current" is the old selection.
  EXPECT_EQ(1u, GetPrivateProfileIntW(L"global", L"current", 9, UserSchemeFile.c_str()));
  wchar_t name[32] = {};
  GetPrivateProfileStringW(L"3", L"schemename", L"", name, 32, UserSchemeFile.c_str());
  EXPECT_STREQ(L"Fresh", name);
  EXPECT_EQ(4, window_.ComboBox1->Count());
  EXPECT_EQ(3, window_.ComboBox1->ItemIndex());
  EXPECT_EQ(3, IniData.current);
  EXPECT_FALSE(SchemeModified);
  EXPECT_EQ(40, RowCount(window_));
  EXPECT_EQ((KeyCells{L"S1K5", L"x", L"4", L"0", L"C:\\s1.exe"}), Row(3, 5));

  dialog->Show();
  EXPECT_EQ(L"", dialog->Edit1->Text());
  EXPECT_FALSE(dialog->BitBtn1->Enabled());
  dialog.reset();
  EXPECT_EQ(nullptr, DialogFonts[0]);
}

// A damaged "scheme" far beyond the three sections the file holds: the new theme follows the
// last scheme the list shows, with no overflow of the scheme number.
TEST_F(DialogsTest, CreateThemeAfterADamagedSchemeCountFollowsTheListedSchemes) {
  std::string text = ThreeSchemes();
  text.replace(text.find("scheme=2"), 8, "scheme=2147483647");
  ASSERT_TRUE(WriteTextFile(UserSchemeFile, text));
  ASSERT_EQ(0, LoadScheme(window_, UserSchemeFile, L"1", IniData));
  LoadAllSchemeRows(window_);
  const int listed = window_.ComboBox1->Count();
  const int rows = RowCount(window_);
  auto dialog = Create<Tzokcfg_1>();
  dialog->Show();
  dialog->Edit1->SetText(L"Fresh");
  dialog->BitBtn1->Click();

  const std::wstring section = IntToText(listed);
  wchar_t name[32] = {};
  GetPrivateProfileStringW(section.c_str(), L"schemename", L"", name, 32, UserSchemeFile.c_str());
  EXPECT_STREQ(L"Fresh", name);
  EXPECT_EQ(static_cast<UINT>(listed), GetPrivateProfileIntW(L"global", L"scheme", 0, UserSchemeFile.c_str()));
  EXPECT_EQ(listed, IniData.scheme);
  EXPECT_EQ(listed + 1, window_.ComboBox1->Count());
  EXPECT_EQ(listed, window_.ComboBox1->ItemIndex());
  EXPECT_EQ(rows + 10, RowCount(window_));
}

TEST_F(DialogsTest, CreateThemeOverwritesAUserSchemeOnlyInTheRowsAndNeverTheFactoryOne) {
  auto dialog = Create<Tzokcfg_1>();
  const auto file_before = ReadLines(UserSchemeFile);
  dialog->Show();
  dialog->Edit1->SetText(L"sCHEME 2");
  {
    // Cancel at the question: the dialog stays with the name, nothing changes.
    BoxAnswers answers({IDCANCEL});
    dialog->BitBtn1->Click();
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ(L"Replace it?", answers.Seen()[0][1]);
    EXPECT_EQ(L"Overwrite?", answers.Seen()[0][0]);
  }
  EXPECT_TRUE(dialog->Visible());
  EXPECT_EQ(L"sCHEME 2", dialog->Edit1->Text());
  EXPECT_TRUE(dialog->Edit1->Focused());
  EXPECT_EQ((KeyCells{L"S2K3", L"x", L"4", L"0", L"C:\\s2.exe"}), Row(2, 3));
  {
    BoxAnswers answers({IDOK});
    dialog->BitBtn1->Click();
  }
  EXPECT_FALSE(dialog->Visible());
  // The keys being edited (scheme 1's) replaced scheme 2's rows; file and selection stay.
  EXPECT_EQ((KeyCells{L"S1K3", L"x", L"4", L"0", L"C:\\s1.exe"}), Row(2, 3));
  EXPECT_EQ(file_before, ReadLines(UserSchemeFile));
  EXPECT_EQ(1, window_.ComboBox1->ItemIndex());
  EXPECT_EQ(3, window_.ComboBox1->Count());

  // The factory scheme's name in other case: asked, then refused; the scheme list gets the focus.
  dialog->Show();
  dialog->Edit1->SetText(L"SCHEME 0");
  {
    BoxAnswers answers({IDOK, IDOK});
    dialog->BitBtn1->Click();
    ASSERT_EQ(2u, answers.Seen().size());
    EXPECT_EQ(L"Factory stays", answers.Seen()[1][1]);
    EXPECT_EQ(L"Button themes", answers.Seen()[1][0]);
  }
  EXPECT_FALSE(dialog->Visible());
  EXPECT_TRUE(window_.ComboBox1->Focused());
  EXPECT_EQ((KeyCells{L"Esc", L"ESC", L"13", L"27", L"ESC"}), Row(0, 0));
  EXPECT_EQ(30, RowCount(window_));
}

TEST_F(DialogsTest, ConfigureButtonsRefusesABarAndShowsMessage24Whole) {
  auto dialog = Create<Tzokcfg_2>();
  EditButton = 3;
  dialog->Show();
  EXPECT_EQ(L"S1K3", dialog->Edit1->Text());
  EXPECT_EQ(L"C:\\s1.exe", dialog->Edit2->Text());
  dialog->Edit1->SetText(L"a|b");
  {
    BoxAnswers answers({IDOK});
    dialog->BitBtn1->Click();
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ(AnsiToWide(kBarMessage), answers.Seen()[0][1]);
  }
  EXPECT_TRUE(dialog->Edit1->Focused());
  dialog->Edit1->SetText(L"clean");
  dialog->Edit2->SetText(L"C:\\a|b.exe");
  {
    BoxAnswers answers({IDOK});
    dialog->BitBtn1->Click();
    EXPECT_EQ(1u, answers.Seen().size());
  }
  EXPECT_TRUE(dialog->Edit2->Focused());
  EXPECT_TRUE(dialog->Visible());
  EXPECT_FALSE(SchemeModified);
  EXPECT_EQ((KeyCells{L"S1K3", L"x", L"4", L"0", L"C:\\s1.exe"}), Row(1, 3));
}

TEST_F(DialogsTest, ConfigureButtonsMakesALinkOnlyWhenTheLinkFieldWasEdited) {
  auto dialog = Create<Tzokcfg_2>();
  EXPECT_EQ(DialogFonts[1], dialog->DialogFont.get());
  EXPECT_EQ(L"Caption:", dialog->Label1->Text());
  // Key 3 shown, then closed with the title bar: its link's refill must not count next time.
  EditButton = 3;
  dialog->Show();
  SendMessageW(dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(dialog->Visible());
  EditButton = 0;
  dialog->Show();
  EXPECT_EQ(L"ESC", dialog->Edit2->Text());
  dialog->Edit1->SetText(L"Escape");
  dialog->BitBtn1->Click();
  ExpectKeyStored(0, {L"Escape", L"ESC", L"13", L"27", L"ESC"});

  // An arrow key in the link field changes no text but makes the key a link.
  dialog->Show();
  SendMessageW(dialog->Edit2->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  dialog->BitBtn1->Click();
  ExpectKeyStored(0, {L"Escape", L"ESC", L"4", L"0", L"ESC"});
}

TEST_F(DialogsTest, ConfigureButtonsBrowseFillsBothFields) {
  const std::wstring program = scratch_.File(L"Tool.v2.exe");
  ASSERT_TRUE(WriteTextFile(program, "MZ"));
  auto dialog = Create<Tzokcfg_2>();
  wchar_t program_files[1024] = {};
  ExpandEnvironmentStringsW(L"%PROGRAMFILES%", program_files, 1024);
  EXPECT_EQ(program_files, dialog->OpenDialog1.initial_dir);
  EditButton = 5;
  dialog->Show();
  std::thread chooser([&] {
    HWND open = OwnBox(10000);
    if (!open) return;
    Sleep(200);
    for (int field : {0x47c /* cmb13 */, 0x480 /* edt1 */}) SetDlgItemTextW(open, field, program.c_str());
    PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  dialog->BitBtn3->Click();
  chooser.join();
  EXPECT_EQ(L"Tool.v2", dialog->Edit1->Text());
  EXPECT_EQ(program, dialog->Edit2->Text());
  dialog->BitBtn1->Click();
  ExpectKeyStored(5, {L"Tool.v2", program, L"4", L"0", program});
}

TEST_F(DialogsTest, ViewFunctionsStoresEachFunctionAndKeepsTheLastConfirmedItem) {
  auto dialog = Create<Tzokcfg_3>();
  EXPECT_EQ(DialogFonts[2], dialog->DialogFont.get());
  ASSERT_EQ(4, dialog->ComboBox1->Count());
  const std::wstring symbol = dialog->ComboBox1->Item(3);
  EXPECT_EQ(AnsiToWide(CurrencySymbolFromLocale()), symbol);
  const KeyCells expected[] = {
      {L"F0", L"ESC", L"13", L"27", L"ESC"},
      {L"F1", L"%", L"15", L"0", L"%"},
      {L"F2", L"Tab Left", L"14", L"0", L"Tab Left"},
      {L"F3", symbol, L"12", L"0", symbol},
  };
  for (int item = 0; item < 4; ++item) {
    SCOPED_TRACE(item);
    EditButton = 6 + item;
    dialog->Show();
    EXPECT_EQ(L"S1K" + IntToText(6 + item), dialog->Edit1->Text());
    dialog->Edit1->SetText(L"F" + IntToText(item));
    dialog->ComboBox1->SetItemIndex(item);
    dialog->BitBtn1->Click();
    EXPECT_FALSE(dialog->Visible());
    ExpectKeyStored(6 + item, expected[item]);
    dialog->Show();
    EXPECT_EQ(item, dialog->ComboBox1->ItemIndex());
    dialog->Close();
  }
  // "|" is refused; Cancel empties the caption and goes back to "ESC".
  dialog->Show();
  dialog->Edit1->SetText(L"|");
  {
    BoxAnswers answers({IDOK});
    dialog->BitBtn1->Click();
  }
  EXPECT_TRUE(dialog->Edit1->Focused());
  EXPECT_EQ(expected[3], Row(1, 9));
  dialog->BitBtn2->Click();
  EXPECT_EQ(L"", dialog->Edit1->Text());
  EXPECT_EQ(0, dialog->ComboBox1->ItemIndex());
}

TEST(CurrencySymbolTest, SymbolBeforeOrAfterTheAmount) {
  EXPECT_EQ("$", CurrencySymbolFromText("$1.00"));
  EXPECT_EQ("\x80", CurrencySymbolFromText("1,00 \x80"));
  EXPECT_EQ("\x80", CurrencySymbolFromText("\x80 1,00"));
  EXPECT_EQ("kr.-", CurrencySymbolFromText("kr.-"));
  EXPECT_EQ("", CurrencySymbolFromText("1.00"));
  EXPECT_EQ("", CurrencySymbolFromText(""));
}

// Pure white pixels of the About picture in the box from (left, top), 73 x 20.
int WhitePixelsNear(HBITMAP bitmap, int left, int top) {
  GdiFlush();
  DIBSECTION section{};
  if (GetObjectW(bitmap, sizeof section, &section) != sizeof section) return -1;
  const auto* bits = static_cast<const unsigned char*>(section.dsBm.bmBits);
  int white = 0;
  for (int y = top; y < top + 20 && y < section.dsBm.bmHeight; ++y)
    for (int x = left; x < left + 73 && x < section.dsBm.bmWidth; ++x) {
      const unsigned char* pixel = bits + y * section.dsBm.bmWidthBytes + x * 4;
      if (pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255) ++white;
    }
  return white;
}

TEST_F(DialogsTest, AboutPictureSizeButtonAndVersion) {
  VersionText = L"1.0";
  auto about = Create<Tzokcfg_4>();
  const SIZE picture = about->Image1->PictureSize();
  EXPECT_EQ(363, picture.cx);
  EXPECT_EQ(277, picture.cy);
  EXPECT_EQ(382, about->Width());
  EXPECT_EQ(340, about->ClientHeight());
  EXPECT_EQ(299, about->BitBtn1->Top());
  EXPECT_EQ((about->ClientWidth() - 85) / 2, about->BitBtn1->Left());
  EXPECT_GT(WhitePixelsNear(about->Image1->Bitmap(), 290, 173), 5);
  EXPECT_EQ(0, WhitePixelsNear(about->Image1->Bitmap(), 200, 140));
  about->Show();
  EXPECT_EQ(1001 / 2 - about->Width() / 2, about->Left());
  EXPECT_EQ(701 / 2 - about->Height() / 2, about->Top());
  about->BitBtn1->Click();
  EXPECT_FALSE(about->Visible());

  VersionText.clear();
  auto without_version = Create<Tzokcfg_4>();
  EXPECT_EQ(0, WhitePixelsNear(without_version->Image1->Bitmap(), 290, 173));
}

}  // namespace
