#include "library.h"

#include <new>

namespace {

// Made by hand rather than as a static object, whose destruction the run-time would arrange
// at the detach, also at the end of the process.
alignas(Library) unsigned char storage[sizeof(Library)];
Library* library = nullptr;

bool kept_loaded = false;

using GetModuleHandleExWFunction = BOOL(WINAPI*)(DWORD flags, LPCWSTR name, HMODULE* module);

// GetModuleHandleExW of kernel32, or nullptr on systems older than it: looked up rather than
// imported, so that the library still loads there.
GetModuleHandleExWFunction FindGetModuleHandleExW() {
  HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  if (!kernel32) return nullptr;
  return reinterpret_cast<GetModuleHandleExWFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel32, "GetModuleHandleExW")));
}

// Pins the module that holds `address_in_module`: it then stays until the process ends.
bool PinModule(GetModuleHandleExWFunction get_module_handle_ex, const void* address_in_module) {
  HMODULE pinned = nullptr;
  return get_module_handle_ex(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              static_cast<LPCWSTR>(address_in_module), &pinned) != FALSE;
}

// Loads `module` once more by its own path; that reference is never freed.
bool LoadModuleAgain(HMODULE module) {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  if (length == 0) return false;           // no path to load it by
  if (length >= MAX_PATH) return false;    // path cut short
  return LoadLibraryW(path) != nullptr;    // the loader refused it
}

}  // namespace

void AttachLibrary() {
  if (!library) library = new (storage) Library();
}

HidDeviceManager& DeviceManager() { return library->manager; }

bool KeepLibraryLoaded() {
  if (kept_loaded) return true;
  GetModuleHandleExWFunction get_module_handle_ex = FindGetModuleHandleExW();
  kept_loaded = get_module_handle_ex ? PinModule(get_module_handle_ex, &kept_loaded)
                                     : LoadModuleAgain(ModuleInstance);
  return kept_loaded;
}
