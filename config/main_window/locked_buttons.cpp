#include "main_window/locked_buttons.h"

#include <algorithm>

#include "main_window/main_window.h"
#include "system/registry_settings.h"
#include "store/scheme_records.h"

std::vector<unsigned char> LockedFlags;

void AllocateLockedFlags(int numbutton) {
  // Only the window's ten rows can be locked: a damaged numbutton neither allocates more nor
  // leaves the buffer without room.
  LockedFlags.assign(static_cast<size_t>(std::clamp(numbutton, 0, kKeyRowCount)) + 2, 0);
}

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

namespace {

template <class Component>
void Disable(Component* const* table, int table_size, int index) {
  if (index >= 0 && index < table_size && table[index]) table[index]->SetEnabled(false);
}

}  // namespace

void ApplyLockedButtons(Tzokcfg_0& /*window*/) {
  ReadLockedFlags(LockedFlags.data(), LockedFlags.size(), IniData.numbutton);
  for (const LockedRowControls& row :
       LockedRows(LockedFlags.data(), LockedFlags.size(), IniData.numbutton)) {
    Disable(RadioTable, kRadioTableSize, row.radio);
    Disable(LabelTable, kLabelTableSize, row.caption_label);
    Disable(LabelTable, kLabelTableSize, row.assignment_label);
  }
}
