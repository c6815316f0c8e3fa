#include "locked_buttons.h"

#include <algorithm>

std::vector<LockedRowControls> LockedRows(const unsigned char* flags, size_t flag_count,
                                          int numbutton) {
  std::vector<LockedRowControls> rows;
  if (!flags || numbutton <= 0) return rows;
  const size_t keys = std::min({static_cast<size_t>(numbutton), static_cast<size_t>(kKeyRowCount),
                                flag_count});
  for (size_t i = 0; i < keys; ++i) {
    if (flags[i] != 1) continue;
    const int row = static_cast<int>(i) + 1;
    // The assignment label of row r is Label<r + 10>, whatever the number of keys.
    rows.push_back({row, row, row + kKeyRowCount});
  }
  return rows;
}
