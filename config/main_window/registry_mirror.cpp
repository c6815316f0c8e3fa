#include "main_window/registry_mirror.h"

#include <windows.h>

#include "store/contracts.h"
#include "store/ini_file.h"
#include "store/profile_section.h"
#include "main_window/main_window.h"
#include "store/program_texts.h"
#include "system/registry_settings.h"
#include "store/scheme_file.h"
#include "store/scheme_records.h"
#include "store/text_conversions.h"

namespace {

using namespace contracts;

HKEY OpenOrCreateButtonMirrorKey(int key_number) {
  const std::wstring path = std::wstring(kConfigKeyPath) + L"\\" + IntToText(key_number);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS)
    return key;
  if (RegCreateKeyW(HKEY_CURRENT_USER, path.c_str(), &key) == ERROR_SUCCESS) return key;
  return nullptr;
}

// REG_SZ with its terminating null: (characters + 1) * 2 bytes of data.
void WriteTextValue(HKEY key, const wchar_t* name, const std::wstring& text) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The stored text, with the sentinel (compared exactly) standing for the empty text.
std::wstring WithoutSentinel(const std::wstring& text, const wchar_t* sentinel) {
  return text == sentinel ? std::wstring() : text;
}

// One key's subkey: caption, function, linkto and vkey, in this order, each read as the
// INICTL reads it.
void MirrorKey(const ProfileSection& stored, int key_number) {
  HKEY key = OpenOrCreateButtonMirrorKey(key_number);
  if (!key) return;
  const std::wstring caption =
      stored.IniString(KeyName(kCaptionKey, key_number), kCaptionSentinel);
  const std::wstring linkto = stored.IniString(KeyName(kLinktoKey, key_number), kLinktoSentinel);
  WriteTextValue(key, kMirrorCaptionValue, WithoutSentinel(caption, kCaptionSentinel));
  WriteDwordValue(key, kMirrorFunctionValue,
                  stored.IniInteger(KeyName(kFunctionKey, key_number), 0));
  WriteTextValue(key, kMirrorLinktoValue, WithoutSentinel(linkto, kLinktoSentinel));
  WriteDwordValue(key, kMirrorVkeyValue, stored.IniInteger(KeyName(kVkeyKey, key_number), 0));
  RegCloseKey(key);
}

}  // namespace

void MirrorSchemeToRegistry(int tray_icon, const std::wstring& user_scheme_file, int numbutton) {
  if (HKEY config = OpenOrCreateConfigKey()) {
    WriteDwordValue(config, kTrayIconValue, tray_icon);
    RegCloseKey(config);
  }
  const int active = static_cast<int>(
      GetPrivateProfileIntW(kGlobalSection, kCurrentKey, 0, user_scheme_file.c_str()));
  // One read of the active section of the INICTL's file: the file was written moments ago, and
  // the platform reads such a file anew at every call.
  const INICTL file(user_scheme_file);
  const ProfileSection stored(IntToText(active), file.FileName());
  // Only the ten key records exist: a damaged numbutton never writes more subkeys.
  const int keys = KeyRecordCount(numbutton);
  for (int i = 0; i < keys; ++i) MirrorKey(stored, i);
}

void MirrorSchemeToRegistry(Tzokcfg_0& window) {
  MirrorSchemeToRegistry(window.CheckBox1->Checked() ? 1 : 0, UserSchemeFile, IniData.numbutton);
}
