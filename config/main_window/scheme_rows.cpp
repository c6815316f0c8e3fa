#include "main_window/scheme_rows.h"

#include <array>
#include <cstdint>

#include "store/contracts.h"
#include "main_window/main_window.h"
#include "store/profile_section.h"
#include "store/profile_text.h"
#include "store/program_texts.h"
#include "store/scheme_file.h"
#include "store/scheme_records.h"
#include "store/text_conversions.h"

using namespace contracts;

bool SchemeModified = false;
bool ApplyFromDelete = false;

namespace {

struct Columns {
  form::ListBox* caption;
  form::ListBox* assign;
  form::ListBox* function;
  form::ListBox* vkey;
  form::ListBox* linkto;
};

Columns ColumnsOf(Tzokcfg_0& window) {
  return {window.TntListBox1, window.TntListBox2, window.TntListBox3, window.TntListBox4,
          window.TntListBox5};
}

// The five columns in their order, for what is done to each alike.
std::array<form::ListBox*, 5> EachColumn(Tzokcfg_0& window) {
  const Columns c = ColumnsOf(window);
  return {c.caption, c.assign, c.function, c.vkey, c.linkto};
}

// Thousands of adds at once: the columns redraw once when it ends instead of after each add.
class ColumnsUpdate {
 public:
  explicit ColumnsUpdate(Tzokcfg_0& window) : columns_(EachColumn(window)) {
    for (form::ListBox* column : columns_) column->BeginUpdate();
  }
  ~ColumnsUpdate() {
    for (form::ListBox* column : columns_) column->EndUpdate();
  }
  ColumnsUpdate(const ColumnsUpdate&) = delete;
  ColumnsUpdate& operator=(const ColumnsUpdate&) = delete;

 private:
  std::array<form::ListBox*, 5> columns_;
};

int32_t LastSchemeInFile() {
  return TextToInt(ReadProfileText(kGlobalSection, kSchemeKey, L"-1", UserSchemeFile));
}

bool RowExists(Tzokcfg_0& window, int row) { return row >= 0 && row < RowCount(window); }

// Row of key k of scheme s with n keys per scheme, or -1 when it lies outside 0 .. count - 1.
int RowOf(int32_t scheme, int key, int keys_per_scheme, int count) {
  if (scheme < 0 || key < 0 || key >= keys_per_scheme) return -1;
  const int64_t row = static_cast<int64_t>(scheme) * keys_per_scheme + key;
  return row < count ? static_cast<int>(row) : -1;
}

// One read of the section; each cell as ReadProfileText would give it.
void AppendSectionRows(const Columns& columns, int32_t scheme, int keys) {
  if (keys <= 0) return;
  const ProfileSection stored(IntToText(scheme), UserSchemeFile);
  for (int k = 0; k < keys; ++k) {
    columns.caption->Add(stored.Text(KeyName(kCaptionKey, k), kCaptionSentinel));
    columns.assign->Add(stored.Text(KeyName(kAssignKey, k), kAssignSentinel));
    columns.function->Add(stored.Text(KeyName(kFunctionKey, k), L"0"));
    columns.vkey->Add(stored.Text(KeyName(kVkeyKey, k), L"0"));
    columns.linkto->Add(stored.Text(KeyName(kLinktoKey, k), kLinktoSentinel));
  }
}

// An empty cell becomes its sentinel; returns the cell's text.
std::wstring CellWithSentinel(form::ListBox* column, int row, const wchar_t* sentinel) {
  std::wstring text = column->Item(row);
  if (text.empty()) {
    column->SetItem(row, sentinel);
    text = sentinel;
  }
  return text;
}

// The five keys of a row in their order: caption, assign, function, vkey, linkto.
void WriteRow(const Columns& columns, int row, ProfileWriter& writer, const std::wstring& section,
              int key) {
  writer.Write(section, KeyName(kCaptionKey, key),
               CellWithSentinel(columns.caption, row, kCaptionSentinel));
  writer.Write(section, KeyName(kAssignKey, key),
               CellWithSentinel(columns.assign, row, kAssignSentinel));
  writer.Write(section, KeyName(kFunctionKey, key), columns.function->Item(row));
  writer.Write(section, KeyName(kVkeyKey, key), columns.vkey->Item(row));
  writer.Write(section, KeyName(kLinktoKey, key),
               CellWithSentinel(columns.linkto, row, kLinktoSentinel));
}

void RedrawWorkingSet(Tzokcfg_0& window) {
  window.RefreshButtonLabels();
  window.RefreshButtonIcons();
}

}  // namespace

int RowsPerScheme() {
  return KeyRecordCount(
      TextToInt(ReadProfileText(kGlobalSection, kNumbuttonKey, L"0", UserSchemeFile)));
}

int RowCount(Tzokcfg_0& window) { return window.TntListBox1->Count(); }

int RowOfButton(int key) {
  const int keys = KeyRecordCount(IniData.numbutton);
  if (IniData.current < 0 || IniData.current > IniData.scheme || key < 0 || key >= keys) return -1;
  const int64_t row = static_cast<int64_t>(IniData.current) * keys + key;
  return row <= INT32_MAX ? static_cast<int>(row) : -1;
}

void LoadAllSchemeRows(Tzokcfg_0& window) {
  const int32_t last = LastListedScheme(UserSchemeFile, LastSchemeInFile());
  const int keys = RowsPerScheme();
  if (keys <= 0) return;
  const Columns columns = ColumnsOf(window);
  const ColumnsUpdate update(window);
  for (int64_t s = 0; s <= last; ++s) AppendSectionRows(columns, static_cast<int32_t>(s), keys);
}

void AppendSchemeRows(Tzokcfg_0& window, int32_t scheme) {
  AppendSectionRows(ColumnsOf(window), scheme, RowsPerScheme());
}

void SaveAllRows(Tzokcfg_0& window) {
  const int32_t last = LastListedScheme(UserSchemeFile, LastSchemeInFile());
  const int keys = RowsPerScheme();
  const int count = RowCount(window);
  const Columns columns = ColumnsOf(window);
  // Every section is read before the first write: the platform reads a file written moments
  // ago anew at every call, so reads after a write would cost a whole file each.
  ProfileWriter writer(UserSchemeFile);
  for (int64_t s = 0; s <= last && RowOf(static_cast<int32_t>(s), 0, keys, count) >= 0; ++s)
    writer.ReadAhead(IntToText(static_cast<int32_t>(s)));
  for (int64_t s = 0; s <= last; ++s) {
    const int32_t scheme = static_cast<int32_t>(s);
    if (RowOf(scheme, 0, keys, count) < 0) break;
    const std::wstring section = IntToText(scheme);
    for (int k = 0; k < keys; ++k) {
      const int row = RowOf(scheme, k, keys, count);
      if (row >= 0) WriteRow(columns, row, writer, section, k);
    }
  }
}

void LoadSchemeRecordsFromRows(Tzokcfg_0& window, int32_t scheme) {
  const int keys = RowsPerScheme();
  const int count = RowCount(window);
  const Columns columns = ColumnsOf(window);
  for (int k = 0; k < keys; ++k) {
    const int row = RowOf(scheme, k, keys, count);
    if (row < 0) continue;
    SetButtonRecord(CurScheme.keys[k], TextToInt(columns.function->Item(row)),
                    TextToInt(columns.vkey->Item(row)), columns.caption->Item(row),
                    columns.assign->Item(row), columns.linkto->Item(row));
  }
  IniData.schemedata.schemename = CurScheme.schemename;
  for (int k = 0; k < kKeyRecords; ++k) CopyButtonRecord(IniData.schemedata.keys[k], CurScheme.keys[k]);
}

void LoadSchemeFromRows(Tzokcfg_0& window, int32_t scheme) {
  LoadSchemeRecordsFromRows(window, scheme);
  RedrawWorkingSet(window);
}

void WriteSnapshotRows(Tzokcfg_0& window, int32_t scheme) {
  if (scheme == 0) return;
  const int keys = RowsPerScheme();
  const int count = RowCount(window);
  const Columns columns = ColumnsOf(window);
  for (int k = 0; k < keys; ++k) {
    const int row = RowOf(scheme, k, keys, count);
    if (row < 0) continue;
    const hotkey_data& key = IniData.schemedata.keys[k];
    columns.caption->SetItem(row, key.caption);
    columns.assign->SetItem(row, key.assign);
    columns.function->SetItem(row, IntToText(key.function));
    columns.vkey->SetItem(row, IntToText(key.vkey));
    columns.linkto->SetItem(row, key.linkto);
  }
  RedrawWorkingSet(window);
}

void SelectRow(Tzokcfg_0& window, int row) {
  if (!RowExists(window, row)) return;
  window.ActIndex->SetText(IntToText(row));
  for (form::ListBox* column : EachColumn(window)) column->SetItemIndex(row);
}

int SetRow(Tzokcfg_0& window, int row, int32_t function, int32_t vkey, const std::wstring& caption,
           const std::wstring& assign, const std::wstring& linkto) {
  if (!RowExists(window, row)) return 0;
  const Columns columns = ColumnsOf(window);
  try {
    columns.caption->SetItem(row, caption);
    columns.assign->SetItem(row, assign);
    columns.function->SetItem(row, IntToText(function));
    columns.vkey->SetItem(row, IntToText(vkey));
    columns.linkto->SetItem(row, linkto);
  } catch (const std::exception&) {
    return 0;
  }
  return 1;
}

void RemoveRows(Tzokcfg_0& window, int first, int count) {
  for (form::ListBox* column : EachColumn(window))
    for (int i = 0; i < count && first >= 0 && first < column->Count(); ++i) column->Delete(first);
}

// ActIndex: any key release selects the row it names in the five columns (0 for a negative,
// empty or non-numeric text); its text stays.
void Tzokcfg_0::ActIndexKeyUp(form::Component&, WORD&, unsigned) {
  int32_t row = TextToInt(ActIndex->Text());
  if (row < 0) row = 0;
  for (form::ListBox* column : EachColumn(*this)) column->SetItemIndex(row);
}
