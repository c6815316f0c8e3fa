// Locked keys: the installation can lock keys through the "Locked" bytes of the install key
// (one byte per key, 1 = locked); a locked key's row in the main window is disabled.
#pragma once
#include <cstddef>
#include <vector>

class Tzokcfg_0;

// The component numbers of one key row that a lock disables:
// RadioButton<radio>, Label<caption_label> and Label<assignment_label>.
struct LockedRowControls {
  int radio;
  int caption_label;
  int assignment_label;
};

// Number of key rows the main window has (RadioButton1..10, Label1..10, Label11..20).
constexpr int kKeyRowCount = 10;

// The rows locked by `flags` (byte i belongs to key i; only the value 1 locks) among keys
// 0 .. numbutton - 1. Only the first `flag_count` bytes are looked at, and keys beyond the
// window's ten rows are never named, whatever `numbutton` holds.
std::vector<LockedRowControls> LockedRows(const unsigned char* flags, size_t flag_count,
                                          int numbutton);

// One byte per key (1 = locked), numbutton + 2 bytes, allocated once by start-up and kept for
// the program's life.
extern std::vector<unsigned char> LockedFlags;
// Allocates LockedFlags for `numbutton` keys, taken as 0 to 10.
void AllocateLockedFlags(int numbutton);

// Start-up: reads "Locked" into LockedFlags and disables the radio button, caption label and
// assignment label of every locked key of the window (through RadioTable and LabelTable).
// Nothing is enabled here.
void ApplyLockedButtons(Tzokcfg_0& window);
