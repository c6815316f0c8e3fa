// Program-wide texts of the configuration program: empty at start, set once by start-up
// (install folder, user name, version from the registry; scheme file paths; language).
#pragma once
#include <string>

extern std::wstring UserName;
extern std::wstring InstallFolder;
extern std::wstring UserSchemeFile;     // "C:\KVZOK\" + UserName + ".ini"
extern std::wstring DefaultSchemeFile;  // InstallFolder + "\obj" + language code + ".bcm"
extern std::wstring VersionText;
