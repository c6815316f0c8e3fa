// The records the configuration program shares: one key's assignment, a scheme of ten keys,
// the configuration record, and the program-wide record and working set.
#pragma once
#include <cstdint>
#include <string>

// Function codes the program writes; 2 and 5 to 11 come only from the default scheme file and
// choose icons; every other code is carried through unchanged.
enum FunctionCode : int32_t {
  FunctionLink = 4,
  FunctionCurrency = 12,
  FunctionVirtualKey = 13,
  FunctionTabLeft = 14,
  FunctionPercent = 15,
};

// Key records in a scheme_data: numbutton from a file may differ, so every walk over keys is
// bounded by KeyRecordCount.
constexpr int kKeyRecords = 10;

// Number of key records an operation may visit for a stored numbutton: min(numbutton, 10),
// none for 0 or less.
int KeyRecordCount(int32_t numbutton);

// Text sentinels that stand for an empty field in a scheme file and in the row table.
extern const wchar_t kCaptionSentinel[];     // "~caption"
extern const wchar_t kAssignSentinel[];      // "~assign"
extern const wchar_t kLinktoSentinel[];      // "~linkto"
extern const wchar_t kSchemenameSentinel[];  // "~schemename"
extern const wchar_t kCurrentSentinel[];     // "~current"

// True for an empty text or the sentinel that stands for it ("~caption", "~assign", "~linkto").
bool IsEmptyOrSentinel(const std::wstring& text);

struct hotkey_data {
  int32_t function = 0;
  int32_t vkey = 0;
  std::wstring caption;
  std::wstring assign;
  std::wstring linkto;
};

struct scheme_data {
  std::wstring schemename;
  hotkey_data keys[kKeyRecords];
};

// The values of section "global", then the keys of the selected scheme.
struct ini_data {
  int32_t scheme = 0;     // index of the last scheme section; -1 none
  int32_t numbutton = 0;  // keys per scheme as stored (may lie outside 0..10)
  int32_t default_ = 0;   // stored as "default"; read and written back only
  int32_t current = 0;    // the selected scheme
  int32_t numhkbtns = 0;  // keys with factory icons of their own
  int32_t numnumpad = 0;  // read and written back only
  scheme_data schemedata;
};

// The program's one configuration record and the working set of the selected scheme.
extern ini_data IniData;
extern scheme_data CurScheme;

void SetButtonRecord(hotkey_data& record, int32_t function, int32_t vkey,
                     const std::wstring& caption, const std::wstring& assign,
                     const std::wstring& linkto);
hotkey_data& CopyButtonRecord(hotkey_data& target, const hotkey_data& source);
// Copies the name and all ten keys, key by key.
void CopySchemeRecord(scheme_data& target, const scheme_data& source);
