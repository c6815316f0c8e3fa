#include "system/language_table.h"

#include <windows.h>

namespace {

struct LanguageCodeRow {
  uint16_t id;
  const wchar_t* code;
};

const LanguageCodeRow kLanguageCodeTable[] = {
    // Arabic
    {0x0401, L"0401"}, {0x0801, L"0401"}, {0x0C01, L"0401"}, {0x1001, L"0401"},
    {0x1401, L"0401"}, {0x1801, L"0401"}, {0x1C01, L"0401"}, {0x2001, L"0401"},
    {0x2401, L"0401"}, {0x2801, L"0401"}, {0x2C01, L"0401"}, {0x3001, L"0401"},
    {0x3401, L"0401"}, {0x3801, L"0401"}, {0x3C01, L"0401"}, {0x4001, L"0401"},
    // Chinese: traditional and simplified
    {0x0404, L"0404"}, {0x0C04, L"0404"}, {0x1004, L"0404"}, {0x1404, L"0404"},
    {0x0804, L"0804"},
    {0x0405, L"0405"},  // Czech
    {0x0406, L"0406"},  // Danish
    // German
    {0x0407, L"0407"}, {0x0807, L"0407"}, {0x0C07, L"0407"}, {0x1007, L"0407"},
    {0x1407, L"0407"},
    {0x0408, L"0408"},  // Greek
    // Spanish; Mexico has its own code
    {0x040A, L"040a"}, {0x0C0A, L"040a"}, {0x100A, L"040a"}, {0x140A, L"040a"},
    {0x180A, L"040a"}, {0x1C0A, L"040a"}, {0x200A, L"040a"}, {0x240A, L"040a"},
    {0x280A, L"040a"}, {0x2C0A, L"040a"}, {0x300A, L"040a"}, {0x340A, L"040a"},
    {0x380A, L"040a"}, {0x3C0A, L"040a"}, {0x400A, L"040a"}, {0x440A, L"040a"},
    {0x480A, L"040a"}, {0x4C0A, L"040a"}, {0x500A, L"040a"},
    {0x080A, L"080a"},
    {0x040B, L"040b"},  // Finnish
    // French
    {0x040C, L"040c"}, {0x080C, L"040c"}, {0x0C0C, L"040c"}, {0x100C, L"040c"},
    {0x140C, L"040c"}, {0x180C, L"040c"},
    {0x040D, L"040d"},  // Hebrew
    {0x040E, L"040e"},  // Hungarian
    {0x0410, L"0410"}, {0x0810, L"0410"},  // Italian
    {0x0411, L"0411"},  // Japanese
    {0x0412, L"0412"},  // Korean
    {0x0413, L"0413"}, {0x0813, L"0413"},  // Dutch
    {0x0414, L"0414"}, {0x0814, L"0414"},  // Norwegian
    {0x0415, L"0415"},  // Polish
    {0x0416, L"0416"},  // Portuguese (Brazil)
    {0x0816, L"0816"},  // Portuguese (Portugal)
    {0x0419, L"0419"},  // Russian
    {0x041D, L"041d"}, {0x081D, L"041d"},  // Swedish
    {0x041E, L"041e"},  // Thai
    {0x041F, L"041f"},  // Turkish
};

// "新細明體" as its Big5 bytes.
const char kTraditionalChineseFace[] = "\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9";

const LanguageFontRow kLanguageFontTable[] = {
    {L"0404", kTraditionalChineseFace, 950, CHINESEBIG5_CHARSET, 10},
    {L"0411", "MS PGothic", CP_ACP, SHIFTJIS_CHARSET, 9},
    {L"0412", "Dotum", CP_ACP, HANGEUL_CHARSET, 9},
    {L"0804", "SimSun-18030", CP_ACP, GB2312_CHARSET, 9},
};

}  // namespace

std::wstring LanguageCodeFor(uint16_t language_id) {
  for (const LanguageCodeRow& row : kLanguageCodeTable)
    if (row.id == language_id) return row.code;
  return L"0409";
}

int LanguageCodeTableSize() {
  return static_cast<int>(sizeof kLanguageCodeTable / sizeof kLanguageCodeTable[0]);
}

const LanguageFontRow* LanguageFontFor(const std::wstring& code) {
  for (const LanguageFontRow& row : kLanguageFontTable)
    if (code == row.code) return &row;
  return nullptr;
}
