#include "system/registry_settings.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "store/contracts.h"
#include "store/program_texts.h"

namespace {

using namespace contracts;

HKEY OpenForReading(HKEY root, const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

// The value's raw bytes and type; false when the value is missing or cannot be read.
bool ReadRawValue(HKEY key, const wchar_t* name, std::vector<BYTE>& data, DWORD& type) {
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  for (;;) {
    data.assign(size, 0);
    DWORD got = size;
    LONG rc = RegQueryValueExW(key, name, nullptr, &type, data.empty() ? nullptr : data.data(), &got);
    if (rc == ERROR_SUCCESS) {
      data.resize(got);
      return true;
    }
    if (rc != ERROR_MORE_DATA) return false;
    size = got > size ? got : size + 64;  // the value grew between the two reads
  }
}

// A text value as stored (REG_EXPAND_SZ is not expanded), up to its first null; empty when
// missing or of another type.
std::wstring ReadTextValue(HKEY key, const wchar_t* name) {
  std::vector<BYTE> data;
  DWORD type = 0;
  if (!ReadRawValue(key, name, data, type)) return std::wstring();
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::wstring();
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) memcpy(&text[0], data.data(), text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

HKEY OpenConfigKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

}  // namespace

std::wstring ReadInstallFolder() {
  if (HKEY install = OpenForReading(HKEY_LOCAL_MACHINE, kInstallKeyPath)) {
    std::wstring folder = ReadTextValue(install, kInstallFolderValue);
    VersionText = ReadTextValue(install, kVersionValue);
    RegCloseKey(install);
    return folder;
  }
  std::wstring folder;
  if (HKEY windows = OpenForReading(HKEY_LOCAL_MACHINE, kWindowsVersionKeyPath)) {
    folder = ReadTextValue(windows, kProgramFilesValue) + kInstallFolderSuffix;
    RegCloseKey(windows);
  }
  return folder;
}

void ReadLockedFlags(unsigned char* flags, size_t flag_room, int numbutton) {
  if (!flags || flag_room == 0) return;
  if (numbutton > 0) memset(flags, 0, std::min(static_cast<size_t>(numbutton), flag_room));
  HKEY install = OpenForReading(HKEY_LOCAL_MACHINE, kInstallKeyPath);
  if (!install) return;
  std::vector<BYTE> data;
  DWORD type = 0;
  // Whatever the value's type, its bytes count; a value longer than the room is cut to it.
  if (ReadRawValue(install, kLockedValue, data, type))
    memcpy(flags, data.data(), std::min(data.size(), flag_room));
  RegCloseKey(install);
}

int ReadTrayIconSetting() {
  HKEY config = OpenConfigKey();
  if (!config) return 0;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  LONG rc = RegQueryValueExW(config, kTrayIconValue, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size);
  RegCloseKey(config);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return 0;
  return static_cast<int>(value);
}

HKEY OpenOrCreateConfigKey() {
  if (HKEY config = OpenConfigKey()) return config;
  HKEY created = nullptr;
  if (RegCreateKeyW(HKEY_CURRENT_USER, kConfigKeyPath, &created) != ERROR_SUCCESS) return nullptr;
  return created;
}

void WriteDwordValue(HKEY key, const wchar_t* name, int value) {
  DWORD data = static_cast<DWORD>(value);
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

int WriteTrayIconSetting(int value) {
  HKEY config = OpenOrCreateConfigKey();
  if (!config) return -1;
  WriteDwordValue(config, kTrayIconValue, value);
  RegCloseKey(config);
  return 0;
}
