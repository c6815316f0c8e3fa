// The two accessors through which scheme files are read and written key by key, over the wide
// private-profile functions of Windows.
#pragma once
#include <string>

// Room of the one read buffer, terminating null included: values are cut at 254 characters.
constexpr unsigned kProfileBufferRoom = 255;

// Sets the key's value, creating file, section and key as needed; an empty value removes the
// key. Failed writes are not detected: always returns 1.
int WriteProfileText(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value, const std::wstring& file);

// The stored value (at most 254 characters), an empty text for a key present with an empty
// value, the default (cut the same way) when key, section or file is missing.
std::wstring ReadProfileText(const std::wstring& section, const std::wstring& key,
                             const std::wstring& default_value, const std::wstring& file);
