// Which language files and font a user-interface language gets: the language code (four
// lower-case hex digits naming "obj<code>.set" and "obj<code>.bcm") and, for four East-Asian
// codes, a language font.
#pragma once
#include <cstdint>
#include <string>

// The code for a Windows language identifier; "0409" for every identifier not in the table.
std::wstring LanguageCodeFor(uint16_t language_id);

// Number of identifiers the table maps (every other gives "0409").
int LanguageCodeTableSize();

struct LanguageFontRow {
  const wchar_t* code;
  const char* face_name;  // bytes of `face_code_page` (the Big5 name for "0404")
  unsigned face_code_page;
  int charset;
  int size_points;
};

// The font row of a code, or null when the code keeps every font unchanged.
const LanguageFontRow* LanguageFontFor(const std::wstring& code);
