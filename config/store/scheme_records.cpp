#include "store/scheme_records.h"

const wchar_t kCaptionSentinel[] = L"~caption";
const wchar_t kAssignSentinel[] = L"~assign";
const wchar_t kLinktoSentinel[] = L"~linkto";
const wchar_t kSchemenameSentinel[] = L"~schemename";
const wchar_t kCurrentSentinel[] = L"~current";

ini_data IniData;
scheme_data CurScheme;

int KeyRecordCount(int32_t numbutton) {
  if (numbutton <= 0) return 0;
  return numbutton < kKeyRecords ? static_cast<int>(numbutton) : kKeyRecords;
}

bool IsEmptyOrSentinel(const std::wstring& text) {
  return text.empty() || text == kCaptionSentinel || text == kAssignSentinel ||
         text == kLinktoSentinel;
}

void SetButtonRecord(hotkey_data& record, int32_t function, int32_t vkey,
                     const std::wstring& caption, const std::wstring& assign,
                     const std::wstring& linkto) {
  record.function = function;
  record.vkey = vkey;
  record.caption = caption;
  record.assign = assign;
  record.linkto = linkto;
}

hotkey_data& CopyButtonRecord(hotkey_data& target, const hotkey_data& source) {
  target.caption = source.caption;
  target.assign = source.assign;
  target.linkto = source.linkto;
  target.function = source.function;
  target.vkey = source.vkey;
  return target;
}

void CopySchemeRecord(scheme_data& target, const scheme_data& source) {
  target.schemename = source.schemename;
  for (int i = 0; i < kKeyRecords; ++i) CopyButtonRecord(target.keys[i], source.keys[i]);
}
