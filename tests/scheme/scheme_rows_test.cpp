// The row table in the five hidden columns of a real main window, the scheme switch and
// Delete, against a real user scheme file.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "dialogs/create_theme_dialog.h"
#include "form/application.h"
#include "system/language_texts.h"
#include "main_window/main_window.h"
#include "store/profile_text.h"
#include "store/program_texts.h"
#include "store/scheme_file.h"
#include "main_window/scheme_commands.h"
#include "main_window/scheme_list.h"
#include "main_window/scheme_rows.h"
#include "scheme_test_files.h"
#include "store/scheme_records.h"
#include "test_support.h"
#include "store/text_conversions.h"

using namespace testing_support;
using namespace scheme_tests;

namespace {

// Four schemes of two keys; scheme `sparse` lacks some keys, the others hold sentinels.
std::string FourSchemes(int current, int sparse = 1) {
  std::string text = "[global]\r\nscheme=3\r\ncurrent=" + std::to_string(current) +
                     "\r\nnumbutton=2\r\ndefault=0\r\nnumhkbtns=2\r\nnumnumpad=0\r\n";
  for (int s = 0; s < 4; ++s) {
    const std::string n = std::to_string(s);
    text += "[" + n + "]\r\nschemename=S" + n + "\r\n";
    for (int k = 0; k < 2; ++k) {
      const std::string key = std::to_string(k);
      if (s == sparse && k == 1) {
        text += "caption1=only caption\r\n";
        continue;
      }
      text += "function" + key + "=" + std::to_string(4 + s) + "\r\ncaption" + key + "=c" + n +
              key + "\r\nassign" + key + "=~assign\r\nlinkto" + key + "=~linkto\r\nvkey" + key +
              "=" + std::to_string(s * 10 + k) + "\r\n";
    }
  }
  return text;
}

class SchemeRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UserSchemeFile = file_;
    SchemeModified = false;
    ApplyFromDelete = false;
    delete LangIni;
    LangIni = new LanguageIni(WideToAnsi(InstalledFile(L"obj0409.set")));
    window_.BitBtn6->OnClick = [this](form::Component&) {
      ++applies_;
      apply_saw_flag_ = ApplyFromDelete;
    };
  }
  void TearDown() override {
    delete LangIni;
    LangIni = nullptr;
  }

  // Writes the file and starts the program's way: load the stored active scheme, all rows,
  // the working set from the rows.
  void Start(const std::string& text) {
    ASSERT_TRUE(WriteTextFile(file_, text));
    LoadAsAtStart();
  }
  void Start(const std::wstring& text, FileEncoding encoding) {
    ASSERT_TRUE(WriteSchemeFile(file_, text, encoding));
    LoadAsAtStart();
  }
  void LoadAsAtStart() {
    const int32_t active = ReadCurrentSchemeIndex(file_);
    ASSERT_EQ(0, LoadScheme(window_, file_, IntToText(active < 0 ? 0 : active), IniData));
    LoadAllSchemeRows(window_);
    LoadSchemeFromRows(window_, IniData.current);
  }
  std::wstring Cell(form::ListBox* column, int row) { return column->Item(row); }
  // Create New Theme with that name, as the user confirms it.
  void CreateTheme(const std::wstring& name) {
    Tzokcfg_1 dialog(app_);
    dialog.RunCreate();
    dialog.Show();
    dialog.Edit1->SetText(name);
    dialog.BitBtn1->Click();
  }
  // A copy of the user file, for the platform's own writes of a change.
  std::wstring CopyOfFile() {
    const std::wstring copy = folder_.File(L"platform.ini");
    EXPECT_TRUE(CopyFileW(file_.c_str(), copy.c_str(), FALSE));
    return copy;
  }
  std::wstring Stored(const std::wstring& section, const std::wstring& key) {
    return ReadProfileText(section, key, L"<missing>", file_);
  }
  void Select(int scheme) {
    window_.ComboBox1->SetItemIndex(scheme);
    SwitchToSelectedScheme(window_);
  }

  ScratchFolder folder_;
  std::wstring file_ = folder_.File(L"user.ini");
  form::Application app_;
  Tzokcfg_0 window_{app_};
  int applies_ = 0;
  bool apply_saw_flag_ = false;
};

TEST_F(SchemeRowsTest, LoadAndSaveRoundTripIsByteIdentical) {
  Start(FourSchemes(0));
  // Scheme 1 key 1 had only a caption: its missing keys are written as sentinels and "0",
  // which a second pass keeps byte for byte.
  ASSERT_EQ(8, RowCount(window_));
  EXPECT_EQ(L"~assign", Cell(window_.TntListBox2, 3));
  EXPECT_EQ(L"0", Cell(window_.TntListBox3, 3));
  SaveAllRows(window_);
  EXPECT_EQ(L"~linkto", Stored(L"1", L"linkto1"));
  const std::string saved = ReadFileBytes(file_);
  SaveAllRows(window_);
  EXPECT_EQ(saved, ReadFileBytes(file_));

  // The installed UTF-16 factory file holds every key: saving it changes no byte.
  ASSERT_TRUE(CopyFileW(InstalledFile(L"obj0409.bcm").c_str(), file_.c_str(), FALSE));
  const std::string factory = ReadFileBytes(file_);
  Tzokcfg_0 other(app_);
  ASSERT_EQ(0, LoadScheme(other, file_, L"0", IniData));
  LoadAllSchemeRows(other);
  ASSERT_EQ(10, RowCount(other));
  SaveAllRows(other);
  EXPECT_EQ(factory, ReadFileBytes(file_));
}

// Each key is saved as five writes (caption, assign, function, vkey, linkto): in place where
// the key exists, appended in that order where it does not.
TEST_F(SchemeRowsTest, SavingWritesTheFiveKeysOfEachRow) {
  const std::string head =
      "[global]\r\nscheme=1\r\ncurrent=0\r\nnumbutton=2\r\nnumhkbtns=2\r\n"
      "[0]\r\nschemename=F\r\nlinkto0=a\r\nvkey0=1\r\nfunction0=4\r\nassign0=b\r\ncaption0=c\r\n"
      "caption1=d\r\nassign1=e\r\nfunction1=2\r\nvkey1=3\r\nlinkto1=f\r\n";
  Start(head + "[1]\r\nschemename=U\r\nvkey0=5\r\ncaption0=old\r\n");
  ASSERT_EQ(1, SetRow(window_, 2, 13, 27, L"", L"ESC", L""));
  SaveAllRows(window_);
  EXPECT_EQ(head +
                "[1]\r\nschemename=U\r\nvkey0=27\r\ncaption0=~caption\r\nassign0=ESC\r\n"
                "function0=13\r\nlinkto0=~linkto\r\ncaption1=~caption\r\nassign1=~assign\r\n"
                "function1=0\r\nvkey1=0\r\nlinkto1=~linkto\r\n",
            ReadFileBytes(file_));
}

TEST_F(SchemeRowsTest, CellsRowsAndRecords) {
  Start(FourSchemes(2));
  EXPECT_EQ(2, IniData.current);
  EXPECT_EQ(L"c21", CurScheme.keys[1].caption);
  EXPECT_EQ(21, IniData.schemedata.keys[1].vkey);
  EXPECT_EQ(L"~assign", IniData.schemedata.keys[1].assign);

  // An empty caption cell is written as its sentinel and holds it afterwards.
  ASSERT_EQ(1, SetRow(window_, RowOfButton(0), 13, 27, L"", L"ESC", L""));
  EXPECT_EQ(4, RowOfButton(0));
  EXPECT_EQ(L"13", Cell(window_.TntListBox3, 4));
  SaveAllRows(window_);
  EXPECT_EQ(L"~caption", Cell(window_.TntListBox1, 4));
  EXPECT_EQ(L"~caption", Stored(L"2", L"caption0"));
  EXPECT_EQ(L"ESC", Stored(L"2", L"assign0"));
  EXPECT_EQ(L"27", Stored(L"2", L"vkey0"));

  // The snapshot writes the record's keys into the scheme's rows, empty texts as they are.
  IniData.schemedata.keys[1].caption = L"";
  IniData.schemedata.keys[1].function = -5;
  CurScheme.keys[1].caption = L"snapshot";
  WriteSnapshotRows(window_, 3);
  EXPECT_EQ(L"", Cell(window_.TntListBox1, 7));
  EXPECT_EQ(L"-5", Cell(window_.TntListBox3, 7));
  EXPECT_EQ(L"snapshot", window_.Label2->Text());
  // Never for the factory scheme: no cell changes and nothing is redrawn.
  CurScheme.keys[1].caption = L"not drawn";
  WriteSnapshotRows(window_, 0);
  EXPECT_EQ(L"c00", Cell(window_.TntListBox1, 0));
  EXPECT_EQ(L"c01", Cell(window_.TntListBox1, 1));
  EXPECT_EQ(L"snapshot", window_.Label2->Text());

  // Selecting a row shows it in ActIndex and in all five columns.
  SelectRow(window_, 5);
  EXPECT_EQ(L"5", window_.ActIndex->Text());
  EXPECT_EQ(5, window_.TntListBox1->ItemIndex());
  EXPECT_EQ(5, window_.TntListBox5->ItemIndex());
}

const FileEncoding kEncodings[] = {FileEncoding::kUtf16, FileEncoding::kAnsi};

// A row edited, then every row saved: the file as the platform's writes of every row leave it.
TEST_F(SchemeRowsTest, SavingAHandEditedFileEqualsThePlatformWrites) {
  for (FileEncoding encoding : kEncodings) {
    RemoveRows(window_, 0, RowCount(window_));
    Start(HandEditedSchemes(encoding), encoding);
    ASSERT_EQ(6, RowCount(window_));
    SetRow(window_, 3, 4, 0, L"Edited", L"", L"C:\\e.exe");
    const std::wstring expected = CopyOfFile();
    for (int row = 0; row < 6; ++row)
      PlatformSaveRow(expected, IntToText(row / 2), row % 2,
                      {Cell(window_.TntListBox1, row), Cell(window_.TntListBox2, row),
                       Cell(window_.TntListBox3, row), Cell(window_.TntListBox4, row),
                       Cell(window_.TntListBox5, row)});
    SaveAllRows(window_);
    EXPECT_EQ(ReadFileBytes(expected), ReadFileBytes(file_));
  }
}

// A new theme: its name, "global" whole, the keys being edited, the new "scheme".
TEST_F(SchemeRowsTest, NewThemeInAHandEditedFileEqualsThePlatformWrites) {
  for (FileEncoding encoding : kEncodings) {
    RemoveRows(window_, 0, RowCount(window_));
    Start(HandEditedSchemes(encoding), encoding);
    IniData.schemedata.keys[1].assign.clear();
    const std::wstring expected = CopyOfFile();
    PlatformWrite(expected, L"3", L"schemename", L"Fresh");
    const std::pair<const wchar_t*, int32_t> global[] = {
        {L"scheme", IniData.scheme},       {L"current", IniData.current},
        {L"numbutton", IniData.numbutton}, {L"default", IniData.default_},
        {L"numhkbtns", IniData.numhkbtns}, {L"numnumpad", IniData.numnumpad}};
    for (const auto& key : global)
      PlatformWrite(expected, L"global", key.first, IntToText(key.second));
    for (int k = 0; k < 2; ++k) {
      const hotkey_data& key = IniData.schemedata.keys[k];
      const std::pair<const wchar_t*, std::wstring> fields[] = {
          {L"function", IntToText(key.function)}, {L"caption", key.caption},
          {L"assign", key.assign}, {L"linkto", key.linkto}, {L"vkey", IntToText(key.vkey)}};
      for (const auto& field : fields)
        PlatformWrite(expected, L"3", field.first + IntToText(k), field.second);
    }
    PlatformWrite(expected, L"global", L"scheme", L"3");
    CreateTheme(L"Fresh");
    EXPECT_EQ(ReadFileBytes(expected), ReadFileBytes(file_));
    EXPECT_EQ(8, RowCount(window_));
  }
}

// Sections 0 and 3 under "scheme" 3: the two missing ones are listed and read as sentinels, and
// the new theme goes after section 3, not over it.
TEST_F(SchemeRowsTest, MissingSectionsAreListedAsSentinelsAndNotWrittenOver) {
  Start("[global]\r\nscheme=3\r\ncurrent=0\r\nnumbutton=2\r\n[0]\r\nschemename=S0\r\n"
        "caption0=c00\r\n[3]\r\nschemename=S3\r\ncaption0=c30\r\n");
  ASSERT_EQ(4, window_.ComboBox1->Count());
  EXPECT_EQ(L"~schemename", window_.ComboBox1->Item(2));
  ASSERT_EQ(8, RowCount(window_));
  EXPECT_EQ(L"~caption", Cell(window_.TntListBox1, 4));
  EXPECT_EQ(L"c30", Cell(window_.TntListBox1, 6));
  CreateTheme(L"Fresh");
  EXPECT_EQ(L"S3", Stored(L"3", L"schemename"));
  EXPECT_EQ(L"Fresh", Stored(L"4", L"schemename"));
  EXPECT_EQ(L"4", Stored(L"global", L"scheme"));
  EXPECT_EQ(5, window_.ComboBox1->Count());
  EXPECT_EQ(10, RowCount(window_));
}

// No row number reaches outside the table or into another scheme's rows.
TEST_F(SchemeRowsTest, RowsOutsideTheTableAreLeftAlone) {
  Start(FourSchemes(0));
  const std::wstring before_caption = Cell(window_.TntListBox1, 7);
  IniData.current = 2;
  EXPECT_EQ(-1, RowOfButton(2));  // key at numbutton: would be key 0 of scheme 3
  IniData.current = 3;
  EXPECT_EQ(-1, RowOfButton(2));  // past the table
  EXPECT_EQ(-1, RowOfButton(-1));
  EXPECT_EQ(7, RowOfButton(1));
  IniData.current = 4;
  EXPECT_EQ(-1, RowOfButton(0));
  IniData.current = -1;
  EXPECT_EQ(-1, RowOfButton(0));
  EXPECT_EQ(0, SetRow(window_, -1, 1, 1, L"x", L"x", L"x"));
  EXPECT_EQ(0, SetRow(window_, 8, 1, 1, L"x", L"x", L"x"));
  EXPECT_EQ(8, RowCount(window_));
  EXPECT_EQ(before_caption, Cell(window_.TntListBox1, 7));

  SelectRow(window_, 2);
  SelectRow(window_, 8);
  SelectRow(window_, -1);
  EXPECT_EQ(L"2", window_.ActIndex->Text());
  EXPECT_EQ(2, window_.TntListBox3->ItemIndex());

  // A scheme without rows leaves the working set's keys as they are.
  CurScheme.keys[0].caption = L"kept";
  LoadSchemeFromRows(window_, 4);
  LoadSchemeFromRows(window_, -1);
  EXPECT_EQ(L"kept", CurScheme.keys[0].caption);
  WriteSnapshotRows(window_, 9);
  EXPECT_EQ(8, RowCount(window_));

  // ActIndex: a key release selects the row its text names; negative and other texts row 0.
  window_.ActIndex->SetText(L"6");
  SendMessageW(window_.ActIndex->Handle(), WM_KEYUP, 'A', 0);
  EXPECT_EQ(6, window_.TntListBox2->ItemIndex());
  window_.ActIndex->SetText(L"-3");
  SendMessageW(window_.ActIndex->Handle(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(0, window_.TntListBox4->ItemIndex());
  EXPECT_EQ(L"-3", window_.ActIndex->Text());
  window_.ActIndex->SetText(L"rows");
  SendMessageW(window_.ActIndex->Handle(), WM_KEYUP, 'B', 0);
  EXPECT_EQ(0, window_.TntListBox1->ItemIndex());
}

TEST_F(SchemeRowsTest, FileWithoutSchemeGivesAnEmptyTable) {
  ASSERT_TRUE(WriteTextFile(file_, "[global]\r\nnumbutton=2\r\n[0]\r\ncaption0=x\r\n"));
  LoadAllSchemeRows(window_);
  EXPECT_EQ(0, RowCount(window_));
  // A stored numbutton above ten keeps ten keys per scheme in the table.
  Tzokcfg_0 other(app_);
  ASSERT_TRUE(WriteTextFile(file_, "[global]\r\nscheme=1\r\nnumbutton=12\r\n[1]\r\ncaption11=x\r\n"));
  LoadAllSchemeRows(other);
  EXPECT_EQ(20, RowCount(other));
}

// The switch takes the new scheme from its rows, with edits not yet saved, and writes nothing.
TEST_F(SchemeRowsTest, SchemeSwitchChangesOnlyTheSelection) {
  Start(FourSchemes(0));
  const std::string before = ReadFileBytes(file_);
  SetRow(window_, 6, 4, 0, L"edited", L"C:\\e.exe", L"C:\\e.exe");
  SchemeModified = true;
  Select(3);
  EXPECT_FALSE(SchemeModified);
  EXPECT_EQ(3, IniData.current);
  EXPECT_EQ(L"edited", CurScheme.keys[0].caption);
  EXPECT_EQ(L"edited", IniData.schemedata.keys[0].caption);
  EXPECT_EQ(31, IniData.schemedata.keys[1].vkey);
  EXPECT_EQ(L"edited", window_.Label1->Text());
  EXPECT_TRUE(window_.BitBtn2->Enabled() && window_.RadioButton1->Enabled());
  Select(0);
  EXPECT_EQ(L"c00", window_.Label1->Text());
  EXPECT_FALSE(window_.BitBtn2->Enabled() || window_.RadioButton1->Enabled());
  Select(1);
  EXPECT_EQ(L"only caption", CurScheme.keys[1].caption);
  EXPECT_EQ(0, CurScheme.keys[1].function);
  EXPECT_EQ(L"~linkto", CurScheme.keys[1].linkto);
  EXPECT_EQ(before, ReadFileBytes(file_));
}

// The confirmation box of Delete shown by this process (other tests may show theirs).
HWND FindOwnDeleteBox() {
  HWND box = nullptr;
  while ((box = FindWindowExA(nullptr, box, "#32770", "Button themes")) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process == GetCurrentProcessId()) return box;
  }
  return nullptr;
}

// Answers the confirmation box of Delete from another thread.
class DeleteBoxAnswer {
 public:
  DeleteBoxAnswer(int answer, DWORD wait_ms)
      : thread_([this, answer, wait_ms] {
          HWND box = nullptr;
          WaitUntil([&] { return (box = FindOwnDeleteBox()) != nullptr; }, wait_ms);
          if (!box) return;
          char text[256] = "";
          GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
          text_ = text;
          seen_ = true;
          PostMessageA(box, WM_COMMAND, answer, 0);
        }) {}
  ~DeleteBoxAnswer() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool seen() {
    Join();
    return seen_;
  }
  std::string text() {
    Join();
    return text_;
  }

 private:
  std::atomic<bool> seen_{false};
  std::string text_;
  std::thread thread_;
};

class DeleteTest : public SchemeRowsTest {
 protected:
  // A box that never comes is waited for a short while only.
  void Delete(int selected, int answer = IDOK, DWORD wait_ms = 5000) {
    Select(selected);
    DeleteBoxAnswer box(answer, wait_ms);
    window_.BitBtn2->Click();
    box_seen_ = box.seen();
    box_text_ = box.text();
  }
  bool box_seen_ = false;
  std::string box_text_;
};

TEST_F(DeleteTest, ActiveSchemeBeforeTheDeletedOne) {
  Start(FourSchemes(1));
  Delete(2);
  EXPECT_TRUE(box_seen_);
  EXPECT_EQ(L"2", Stored(L"global", L"scheme"));
  EXPECT_EQ(L"1", Stored(L"global", L"current"));
  EXPECT_EQ(L"S3", Stored(L"2", L"schemename"));
  EXPECT_EQ(L"c30", Stored(L"2", L"caption0"));
  EXPECT_EQ(L"31", Stored(L"2", L"vkey1"));
  EXPECT_EQ(L"<missing>", Stored(L"3", L"schemename"));
  EXPECT_EQ(6, RowCount(window_));
  EXPECT_EQ(L"c30", Cell(window_.TntListBox1, 4));
  EXPECT_EQ(1, IniData.current);
  EXPECT_EQ(2, IniData.scheme);
  EXPECT_EQ(1, window_.ComboBox1->ItemIndex());
  EXPECT_EQ(3, window_.ComboBox1->Count());
  EXPECT_EQ(L"S1", CurScheme.schemename);
  EXPECT_EQ(0, applies_);
}

TEST_F(DeleteTest, ActiveSchemeItselfAppliesWithoutEnding) {
  Start(FourSchemes(2));
  Delete(2);
  EXPECT_EQ("Do you really want to delete the selected button theme?", box_text_);
  EXPECT_EQ(L"1", Stored(L"global", L"current"));
  EXPECT_EQ(L"2", Stored(L"global", L"scheme"));
  EXPECT_EQ(1, applies_);
  EXPECT_TRUE(apply_saw_flag_);
  EXPECT_FALSE(ApplyFromDelete);
  EXPECT_EQ(1, window_.ComboBox1->ItemIndex());
}

TEST_F(DeleteTest, ActiveSchemeAfterTheDeletedOneMovesDown) {
  Start(FourSchemes(3));
  Delete(1);
  EXPECT_EQ(L"2", Stored(L"global", L"current"));
  EXPECT_EQ(L"S2", Stored(L"1", L"schemename"));
  EXPECT_EQ(L"S3", Stored(L"2", L"schemename"));
  EXPECT_EQ(L"c21", Stored(L"1", L"caption1"));
  EXPECT_EQ(0, applies_);
  // Scheme 0 is now selected: the list says so and the record follows.
  EXPECT_EQ(0, IniData.current);
  EXPECT_EQ(0, window_.ComboBox1->ItemIndex());
  EXPECT_EQ(L"c20", Cell(window_.TntListBox1, 2));
}

// The keys a shifted scheme lacks arrive as their sentinels and 0.
TEST_F(DeleteTest, ShiftedSchemeWithMissingKeys) {
  Start(FourSchemes(0, 3));
  Delete(2);
  EXPECT_EQ(L"S3", Stored(L"2", L"schemename"));
  EXPECT_EQ(L"only caption", Stored(L"2", L"caption1"));
  EXPECT_EQ(L"~assign", Stored(L"2", L"assign1"));
  EXPECT_EQ(L"~linkto", Stored(L"2", L"linkto1"));
  EXPECT_EQ(L"0", Stored(L"2", L"function1"));
  EXPECT_EQ(L"0", Stored(L"2", L"vkey1"));
  EXPECT_EQ(L"<missing>", Stored(L"3", L"caption1"));
}

TEST_F(DeleteTest, LastSchemeIsErasedOnly) {
  Start(FourSchemes(0));
  const std::wstring s2 = Stored(L"2", L"caption0");
  Delete(3);
  EXPECT_EQ(L"<missing>", Stored(L"3", L"caption0"));
  EXPECT_EQ(s2, Stored(L"2", L"caption0"));
  EXPECT_EQ(L"0", Stored(L"global", L"current"));
  EXPECT_EQ(L"2", Stored(L"global", L"scheme"));
  EXPECT_EQ(6, RowCount(window_));
  EXPECT_EQ(2, IniData.current);
  EXPECT_EQ(0, applies_);
}

// Deleting the active scheme 1: scheme 2 moves down key by key, its section goes, then "scheme"
// and "current", as the platform's own reads and writes make it.
TEST_F(DeleteTest, DeleteInAHandEditedFileEqualsThePlatformWrites) {
  for (FileEncoding encoding : kEncodings) {
    Start(HandEditedSchemes(encoding), encoding);
    const std::wstring expected = CopyOfFile();
    const wchar_t* file = expected.c_str();
    auto move_text = [&](const std::wstring& key, const wchar_t* sentinel) {
      wchar_t text[1024] = {};
      GetPrivateProfileStringW(L"2", key.c_str(), sentinel, text, 1024, file);
      WritePrivateProfileStringW(L"1", key.c_str(), text[0] ? text : sentinel, file);
    };
    auto move_number = [&](const std::wstring& key) {
      const int value = static_cast<int>(GetPrivateProfileIntW(L"2", key.c_str(), 0, file));
      WritePrivateProfileStringW(L"1", key.c_str(), IntToText(value).c_str(), file);
    };
    move_text(L"schemename", L"~schemename");
    for (const wchar_t* k : {L"0", L"1"}) {
      move_number(std::wstring(L"function") + k);
      move_text(std::wstring(L"caption") + k, L"~caption");
      move_text(std::wstring(L"assign") + k, L"~assign");
      move_text(std::wstring(L"linkto") + k, L"~linkto");
      move_number(std::wstring(L"vkey") + k);
    }
    WritePrivateProfileStringW(L"2", nullptr, nullptr, file);
    PlatformWrite(expected, L"global", L"scheme", L"1");
    PlatformWrite(expected, L"global", L"current", L"0");
    Delete(1);
    EXPECT_EQ(ReadFileBytes(expected), ReadFileBytes(file_));
    RemoveRows(window_, 0, RowCount(window_));
  }
}

// "scheme" 3 over sections 0 and 2: the missing section 1 is listed; deleting it moves scheme 2
// down; deleting scheme 2 erases its section, and list and rows then end at scheme 0.
const char kGappedSchemes[] =
    "[global]\r\nscheme=3\r\ncurrent=0\r\nnumbutton=2\r\n[0]\r\nschemename=S0\r\ncaption0=c00\r\n"
    "[2]\r\nschemename=S2\r\ncaption0=c20\r\n";

TEST_F(DeleteTest, DeletingAMissingSectionMovesTheNextOneDown) {
  Start(kGappedSchemes);
  ASSERT_EQ(3, window_.ComboBox1->Count());
  EXPECT_EQ(L"~schemename", window_.ComboBox1->Item(1));
  ASSERT_EQ(6, RowCount(window_));
  Delete(1);
  EXPECT_EQ(L"S2", Stored(L"1", L"schemename"));
  EXPECT_EQ(L"c20", Stored(L"1", L"caption0"));
  EXPECT_EQ(L"<missing>", Stored(L"2", L"schemename"));
  EXPECT_EQ(2, window_.ComboBox1->Count());
  EXPECT_EQ(4, RowCount(window_));
  EXPECT_EQ(L"c20", Cell(window_.TntListBox1, 2));
}

TEST_F(DeleteTest, DeletingTheLastListedSchemeErasesItsSection) {
  Start(kGappedSchemes);
  Delete(2);
  EXPECT_EQ(L"<missing>", Stored(L"2", L"schemename"));
  EXPECT_EQ(L"2", Stored(L"global", L"scheme"));
  EXPECT_EQ(1, window_.ComboBox1->Count());
  EXPECT_EQ(2, RowCount(window_));
  EXPECT_EQ(0, window_.ComboBox1->ItemIndex());
}

TEST_F(DeleteTest, FactorySchemeAndCancelChangeNothing) {
  Start(FourSchemes(2));
  const std::string before = ReadFileBytes(file_);
  Delete(0, IDOK, 1000);
  EXPECT_FALSE(box_seen_);
  EXPECT_EQ(before, ReadFileBytes(file_));
  EXPECT_EQ(8, RowCount(window_));

  Delete(2, IDCANCEL);
  EXPECT_TRUE(box_seen_);
  EXPECT_EQ(before, ReadFileBytes(file_));
  EXPECT_EQ(8, RowCount(window_));
  EXPECT_EQ(2, IniData.current);
  EXPECT_EQ(2, window_.ComboBox1->ItemIndex());
  EXPECT_EQ(3, IniData.scheme);
  EXPECT_EQ(0, applies_);
}

}  // namespace
