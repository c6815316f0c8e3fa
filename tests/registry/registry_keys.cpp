#include "registry_keys.h"

#include <shlwapi.h>

#include <cstring>

namespace registry_test {

const wchar_t kInstallKey[] = L"Software\\KV\\ZOK";
const wchar_t kConfigKey[] = L"Software\\KV\\ZOK\\Config";

namespace {

void SetRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
            const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
    return;
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

}  // namespace

void DeleteKeyTree(HKEY root, const std::wstring& path) { SHDeleteKeyW(root, path.c_str()); }

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key)) return false;
  RegCloseKey(key);
  return true;
}

void SetText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text,
             DWORD type) {
  SetRaw(root, path, name, type, text.c_str(),
         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
  SetRaw(root, path, name, REG_DWORD, &value, sizeof value);
}

void SetBinary(HKEY root, const std::wstring& path, const wchar_t* name,
               const std::vector<unsigned char>& bytes) {
  SetRaw(root, path, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void DeleteValue(HKEY root, const std::wstring& path, const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key)) return;
  RegDeleteValueW(key, name);
  RegCloseKey(key);
}

std::wstring StoredValue::Text() const {
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) memcpy(&text[0], bytes.data(), text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

DWORD StoredValue::Dword() const {
  DWORD value = 0xFFFFFFFF;
  if (bytes.size() >= sizeof value) memcpy(&value, bytes.data(), sizeof value);
  return value;
}

StoredValue ReadValue(HKEY root, const std::wstring& path, const wchar_t* name) {
  StoredValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key)) return value;
  DWORD size = 0;
  if (!RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size)) {
    value.bytes.resize(size);
    value.found = !RegQueryValueExW(key, name, nullptr, &value.type,
                                    value.bytes.empty() ? nullptr : value.bytes.data(), &size);
  }
  RegCloseKey(key);
  return value;
}

int SubkeyCount(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key)) return -1;
  DWORD count = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(count);
}

}  // namespace registry_test
