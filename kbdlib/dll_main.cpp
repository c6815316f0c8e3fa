#include "hid_device_manager.h"
#include "library.h"

// `reserved` is not null when the process is ending rather than the library being unloaded.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  ModuleInstance = instance;
  if (reason == DLL_PROCESS_ATTACH) AttachLibrary();
  if (reason == DLL_PROCESS_DETACH) DetachLibrary(reserved != nullptr);
  return TRUE;
}
