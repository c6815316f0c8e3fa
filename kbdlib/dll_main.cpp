#include "hid_device_manager.h"
#include "library.h"

// Nothing is done at the detach: the library is unloaded only while it has started nothing,
// and at the end of the process its state is left as it is (library.h).
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  ModuleInstance = instance;
  if (reason == DLL_PROCESS_ATTACH) AttachLibrary();
  return TRUE;
}
