// The main window's commands on whole schemes: switching the selected scheme in the scheme
// list, and deleting it.
#pragma once
#include <cstdint>

class Tzokcfg_0;
class INICTL;
class ProfileWriter;

// The scheme list's selection becomes the working set (from its rows); nothing is written.
void SwitchToSelectedScheme(Tzokcfg_0& window);

// After confirmation: moves the later sections down, erases the last, removes the scheme's
// rows, lowers "scheme", corrects the stored active scheme, selects and loads the scheme before
// it, and applies at once (OK without ending) when the deleted scheme was the active one.
// Nothing for the factory scheme or a selection that is no user scheme.
void DeleteSelectedScheme(Tzokcfg_0& window);

// Copies section `source` onto section `target` key by key, read through the INICTL, written
// through the writer: the name, then per key 0 .. keys - 1 function, caption, assign, linkto,
// vkey; missing texts arrive as their sentinels, missing numbers as 0.
void MoveSchemeSection(const INICTL& ini, ProfileWriter& writer, int32_t source, int32_t target,
                       int keys);
