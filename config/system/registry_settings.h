// The registry settings of the configuration program: the installation's key (install folder,
// version text, locked keys), read only, and the tray-icon setting in the user's config key.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// Opens HKLM "Software\KV\ZOK" for reading: the result is its "UIPath" and VersionText is
// set to its "Version" (each empty when missing or not text). Without that key the result is
// the program-files folder + "\KVZOK" (empty when that cannot be read either) and VersionText
// is left as it is.
std::wstring ReadInstallFolder();

// Fills `flags` (room for `flag_room` bytes) from the "Locked" bytes of the install key: the
// first min(numbutton, flag_room) bytes are cleared, then the value's bytes are copied from
// its first byte, cut to the room. A missing key or value leaves the flags cleared.
void ReadLockedFlags(unsigned char* flags, size_t flag_room, int numbutton);

// The stored "trayicon" of HKCU "Software\KV\ZOK\Config"; 0 when the key or a DWORD value is
// missing.
int ReadTrayIconSetting();

// Writes "trayicon" := value (REG_DWORD), creating the config key when missing. 0, or -1
// when the key can be neither opened nor created (nothing is written then).
int WriteTrayIconSetting(int value);

// HKCU "Software\KV\ZOK\Config" with full access, created (with its parents) when missing;
// null when it can be neither opened nor created. The caller closes it.
HKEY OpenOrCreateConfigKey();

// Sets a REG_DWORD value; the data is 4 bytes.
void WriteDwordValue(HKEY key, const wchar_t* name, int value);
