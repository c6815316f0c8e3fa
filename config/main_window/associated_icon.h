// The shell's icon for a link target, as the key rows show it.
#pragma once
#include <windows.h>

// The icon associated with `path` (icon `index`), owned by the caller; null for a null path, a
// path made only of "*", '"', "<", ">", "?" and ".", a bare drive ("c:", "C:\"), a path that a
// directory search does not find, one too long for the platform, or a failed extraction. The
// platform gets a copy of the path in a buffer of its own.
HICON GetAssociatedIcon(const wchar_t* path, int index);
