// The file name of a path, as the Configure Buttons dialog offers it for a key's caption.
#pragma once
#include <string>

// The text after the last "\" of `path` (the whole path when it holds none; "/" is no
// separator). Without extension: the part of that name before its last "."; a name without
// "." is returned whole.
std::wstring ExtractFileTitle(const std::wstring& path, bool with_extension);
