#include "store/scheme_file.h"

#include <windows.h>

#include <cstdint>
#include <new>

#include "store/contracts.h"
#include "store/profile_section.h"
#include "store/profile_text.h"
#include "store/text_conversions.h"
#include "variant.h"

using namespace contracts;

namespace {

std::wstring ReadGlobalText(const std::wstring& file, const wchar_t* key,
                            const wchar_t* default_value) {
  return ReadProfileText(kGlobalSection, key, default_value, file);
}

void WriteGlobalNumber(ProfileWriter& writer, const wchar_t* key, int32_t value) {
  writer.Write(kGlobalSection, key, IntToText(value));
}

// The number a section name stands for when it is the decimal text IntToText gives (no sign,
// no leading zero); -1 for every other name.
int32_t SchemeNumberOfName(const std::wstring& name) {
  if (name.empty() || name.size() > 10 || (name[0] == L'0' && name.size() > 1)) return -1;
  int64_t number = 0;
  for (wchar_t c : name) {
    if (c < L'0' || c > L'9') return -1;
    number = number * 10 + (c - L'0');
  }
  return number <= INT32_MAX ? static_cast<int32_t>(number) : -1;
}

}  // namespace

int32_t HighestSchemeSection(const std::wstring& file) {
  int32_t highest = -1;
  for (const std::wstring& name : ReadSectionNames(file)) {
    const int32_t number = SchemeNumberOfName(name);
    if (number > highest) highest = number;
  }
  return highest;
}

int32_t LastListedScheme(const std::wstring& file, int32_t last) {
  if (last < 0) return -1;
  const int32_t highest = HighestSchemeSection(file);
  return highest < last ? highest : last;
}

std::wstring KeyName(const wchar_t* field, int index) { return field + IntToText(index); }

int32_t ReadStoredSchemeIndex(const std::wstring& file) {
  return TextToIntDef(ReadGlobalText(file, kSchemeKey, L"-1"), -1);
}

int WriteGlobalSection(const std::wstring& file, const ini_data& record) {
  ProfileWriter writer(file);
  return WriteGlobalSection(writer, record);
}

int WriteGlobalSection(ProfileWriter& writer, const ini_data& record) {
  try {
    WriteGlobalNumber(writer, kSchemeKey, record.scheme);
    WriteGlobalNumber(writer, kCurrentKey, record.current);
    WriteGlobalNumber(writer, kNumbuttonKey, record.numbutton);
    WriteGlobalNumber(writer, kDefaultKey, record.default_);
    WriteGlobalNumber(writer, kNumhkbtnsKey, record.numhkbtns);
    WriteGlobalNumber(writer, kNumnumpadKey, record.numnumpad);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return 0;
}

int32_t ReadCurrentSchemeIndex(const std::wstring& file) {
  if (ReadStoredSchemeIndex(file) < 0) return -1;
  return TextToIntDef(ReadGlobalText(file, kCurrentKey, kCurrentSentinel), 0);
}

bool StoredSchemeAllowsSave(int32_t stored_scheme) {
  return variant::kIsYev ? stored_scheme != -1 : stored_scheme >= 0;
}

int SaveSchemeIndexAt(const std::wstring& file, int32_t position, ini_data& record) {
  // One read of "global" for both the test of "scheme" and the write of "current".
  ProfileWriter writer(file);
  const std::wstring stored_scheme = writer.Stored(kGlobalSection).Text(kSchemeKey, L"-1");
  if (!StoredSchemeAllowsSave(TextToIntDef(stored_scheme, -1))) return -1;
  record.current = position;
  WriteGlobalNumber(writer, kCurrentKey, position);
  return 0;
}

int WriteSchemeSection(const std::wstring& file, const std::wstring& section,
                       const ini_data& record) {
  ProfileWriter writer(file);
  return WriteSchemeSection(writer, section, record);
}

int WriteSchemeSection(ProfileWriter& writer, const std::wstring& section, const ini_data& record) {
  if (ReadStoredSchemeIndex(writer.File()) < 0) return -1;
  WriteGlobalSection(writer, record);
  const int keys = KeyRecordCount(record.numbutton);
  for (int i = 0; i < keys; ++i) {
    const hotkey_data& key = record.schemedata.keys[i];
    writer.Write(section, KeyName(kFunctionKey, i), IntToText(key.function));
    writer.Write(section, KeyName(kCaptionKey, i), key.caption);
    writer.Write(section, KeyName(kAssignKey, i), key.assign);
    writer.Write(section, KeyName(kLinktoKey, i), key.linkto);
    writer.Write(section, KeyName(kVkeyKey, i), IntToText(key.vkey));
  }
  return 0;
}

bool ReadGlobalSection(const std::wstring& file, ini_data& record) {
  record.scheme = TextToInt(ReadGlobalText(file, kSchemeKey, L"-1"));
  record.numbutton = TextToInt(ReadGlobalText(file, kNumbuttonKey, L"0"));
  record.default_ = TextToInt(ReadGlobalText(file, kDefaultKey, L"0"));
  record.current = TextToInt(ReadGlobalText(file, kCurrentKey, L"0"));
  record.numhkbtns = TextToInt(ReadGlobalText(file, kNumhkbtnsKey, L"0"));
  record.numnumpad = TextToInt(ReadGlobalText(file, kNumnumpadKey, L"0"));
  return record.scheme != -1;
}

void ReadSchemeSection(const std::wstring& file, const std::wstring& section, int32_t numbutton,
                       scheme_data& target) {
  // One read of the section; each value as the key-by-key read gives it.
  const ProfileSection stored(section, file);
  target.schemename = stored.Text(kSchemenameKey, kSchemenameSentinel);
  const int keys = KeyRecordCount(numbutton);
  for (int i = 0; i < keys; ++i) {
    std::wstring linkto = stored.Text(KeyName(kLinktoKey, i), kLinktoSentinel);
    std::wstring assign = stored.Text(KeyName(kAssignKey, i), kAssignSentinel);
    std::wstring caption = stored.Text(KeyName(kCaptionKey, i), kCaptionSentinel);
    int32_t vkey = TextToInt(stored.Text(KeyName(kVkeyKey, i), L"0"));
    int32_t function = TextToInt(stored.Text(KeyName(kFunctionKey, i), L"0"));
    SetButtonRecord(target.keys[i], function, vkey, caption, assign, linkto);
  }
}

int ReadSchemeIntoRecords(const std::wstring& file, const std::wstring& section,
                          ini_data& record, scheme_data& working_set) {
  if (!ReadGlobalSection(file, record)) return -1;
  ReadSchemeSection(file, section, record.numbutton, working_set);
  return 0;
}

std::vector<std::wstring> ReadSchemeNames(const std::wstring& file, int32_t last) {
  std::vector<std::wstring> names;
  const int32_t listed = LastListedScheme(file, last);
  for (int64_t i = 0; i <= listed; ++i)
    names.push_back(ReadProfileText(IntToText(static_cast<int32_t>(i)), kSchemenameKey,
                                    kSchemenameSentinel, file));
  return names;
}

SchemeListChoice ChooseSchemeListSelection(const std::wstring& section, size_t item_count) {
  const int32_t wanted = TextToIntDef(section, 0);
  if (wanted > 0 && static_cast<size_t>(wanted) < item_count) return {wanted, true};
  return {item_count > 0 ? 0 : -1, false};
}
