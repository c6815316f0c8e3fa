// The registry mirror of the active scheme: the hot-key handler reads each key's caption,
// function, link target and virtual key from HKCU "Software\KV\ZOK\Config\<key number>".
#pragma once
#include <string>

class Tzokcfg_0;

// Writes "trayicon" := tray_icon into the config key (created when missing), then, for keys
// 0 .. min(numbutton, 10) - 1, the subkey of each key with "caption", "function", "linkto" and "vkey"
// of the active scheme as `user_scheme_file` stores it (section "global" `current`). The
// sentinels "~caption" and "~linkto" are written as empty texts. A subkey that can be neither
// opened nor created is skipped; subkeys past those keys are left as they are.
void MirrorSchemeToRegistry(int tray_icon, const std::wstring& user_scheme_file, int numbutton);

// Start-up and every apply: "trayicon" from the window's tray check box (1 checked, else 0),
// the keys 0 .. IniData numbutton - 1 from the UserSchemeFile.
void MirrorSchemeToRegistry(Tzokcfg_0& window);
