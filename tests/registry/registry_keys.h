// Registry helpers for the tests of the product's keys in the test prefix's real registry.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace registry_test {

// HKLM "Software\KV\ZOK" and HKCU "Software\KV\ZOK\Config".
extern const wchar_t kInstallKey[];
extern const wchar_t kConfigKey[];

// Removes a key with everything below it (no error when it is missing).
void DeleteKeyTree(HKEY root, const std::wstring& path);
bool KeyExists(HKEY root, const std::wstring& path);

void SetText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text,
             DWORD type = REG_SZ);
void SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);
void SetBinary(HKEY root, const std::wstring& path, const wchar_t* name,
               const std::vector<unsigned char>& bytes);
void DeleteValue(HKEY root, const std::wstring& path, const wchar_t* name);

// A value as stored: found, type and raw bytes.
struct StoredValue {
  bool found = false;
  DWORD type = 0;
  std::vector<unsigned char> bytes;
  std::wstring Text() const;  // REG_SZ data up to its first null
  DWORD Dword() const;        // first four bytes; 0xFFFFFFFF when shorter
};
StoredValue ReadValue(HKEY root, const std::wstring& path, const wchar_t* name);

// Number of direct subkeys; -1 when the key is missing.
int SubkeyCount(HKEY root, const std::wstring& path);

}  // namespace registry_test
