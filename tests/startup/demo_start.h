// A clean start of the configuration program on the demo installation, for the tests that run
// the start-up sequence in their own process.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

#include "demo_install.h"
#include "registry_keys.h"
#include "test_support.h"

namespace startup_test {

// What a start leaves: the data folder, the product's user settings and the install key.
inline void ClearStart() {
  testing_support::RemoveTree(L"C:\\KVZOK");
  registry_test::DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\KV");
  registry_test::DeleteKeyTree(HKEY_LOCAL_MACHINE, registry_test::kInstallKey);
}

// A first start: nothing left from an earlier one, and a new install folder `install`, named by
// the install key, holding the given files of the demo installation. False when one is missing.
inline bool PrepareStart(const std::wstring& install, std::initializer_list<const wchar_t*> files) {
  ClearStart();
  if (!CreateDirectoryW(install.c_str(), nullptr)) return false;
  for (const wchar_t* file : files)
    if (!CopyFileW(DemoInstallFile(file).c_str(), (install + L"\\" + file).c_str(), FALSE)) return false;
  registry_test::SetText(HKEY_LOCAL_MACHINE, registry_test::kInstallKey, L"UIPath", install);
  return true;
}

}  // namespace startup_test
