// Names and numbers this program shares with programs and data outside it: the tray-icon
// program, the help starter, the installation and the data folder. What it shares with the
// hot-key handler, which the key-event bridge meets too, is in contracts/hotkey_handler.h.
#pragma once

namespace contracts {

// Single instance: the application window another copy looks for.
constexpr wchar_t kApplicationWindowClass[] = L"TApplication";
constexpr wchar_t kApplicationWindowTitle[] = L"KV ZOK";

// The tray-icon program's window and the message that tells it to show (1) or hide (0) its icon.
constexpr wchar_t kTrayWindowClass[] = L"TForm1";
constexpr wchar_t kTrayWindowTitle[] = L"TrayWarden";
constexpr unsigned kTrayIconMessage = 0x602;

// The help starter, started from the install folder by the Help button.
constexpr wchar_t kHelpStarterFile[] = L"HelpStarter.exe";

// Installation key (local machine, read only) and its values.
constexpr wchar_t kInstallKeyPath[] = L"Software\\KV\\ZOK";
constexpr wchar_t kInstallFolderValue[] = L"UIPath";
constexpr wchar_t kVersionValue[] = L"Version";
constexpr wchar_t kLockedValue[] = L"Locked";
// Fallback install folder: ProgramFilesDir of this key, then "\KVZOK".
constexpr wchar_t kWindowsVersionKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion";
constexpr wchar_t kProgramFilesValue[] = L"ProgramFilesDir";
constexpr wchar_t kInstallFolderSuffix[] = L"\\KVZOK";

// Settings key (current user): the tray setting and one subkey per key, named by its number.
constexpr wchar_t kConfigKeyPath[] = L"Software\\KV\\ZOK\\Config";
constexpr wchar_t kTrayIconValue[] = L"trayicon";
constexpr wchar_t kMirrorCaptionValue[] = L"caption";
constexpr wchar_t kMirrorFunctionValue[] = L"function";
constexpr wchar_t kMirrorLinktoValue[] = L"linkto";
constexpr wchar_t kMirrorVkeyValue[] = L"vkey";

// Data folder and the per-user scheme file inside it: kUserSchemeFilePrefix + user + ".ini".
constexpr wchar_t kDataFolder[] = L"C:\\KVZOK";
constexpr wchar_t kUserSchemeFilePrefix[] = L"C:\\KVZOK\\";
constexpr wchar_t kUserSchemeFileSuffix[] = L".ini";

// Installed files in the install folder: "obj" + language code + ".set" / ".bcm".
constexpr wchar_t kInstalledFilePrefix[] = L"obj";
constexpr wchar_t kLanguageFileSuffix[] = L".set";
constexpr wchar_t kDefaultSchemeFileSuffix[] = L".bcm";
constexpr wchar_t kFallbackLanguageFile[] = L"obj0409.set";
constexpr wchar_t kFallbackLanguageCode[] = L"0409";

// Key pictures (YEV): install folder + "\icons\key" + N + ".ico", N = 1 to 8.
constexpr wchar_t kKeyPicturePrefix[] = L"\\icons\\key";
constexpr wchar_t kKeyPictureSuffix[] = L".ico";
constexpr int kKeyPictureCount = 8;

// Scheme file: section "global" and its keys; scheme sections are named by their number.
constexpr wchar_t kGlobalSection[] = L"global";
constexpr wchar_t kSchemeKey[] = L"scheme";
constexpr wchar_t kNumbuttonKey[] = L"numbutton";
constexpr wchar_t kDefaultKey[] = L"default";
constexpr wchar_t kCurrentKey[] = L"current";
constexpr wchar_t kNumhkbtnsKey[] = L"numhkbtns";
constexpr wchar_t kNumnumpadKey[] = L"numnumpad";
constexpr wchar_t kSchemenameKey[] = L"schemename";
// Per-key names are these followed by the key number in decimal.
constexpr wchar_t kFunctionKey[] = L"function";
constexpr wchar_t kVkeyKey[] = L"vkey";
constexpr wchar_t kCaptionKey[] = L"caption";
constexpr wchar_t kAssignKey[] = L"assign";
constexpr wchar_t kLinktoKey[] = L"linkto";

}  // namespace contracts
