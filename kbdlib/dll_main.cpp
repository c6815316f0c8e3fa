#include "hid_device_manager.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  ModuleInstance = instance;
  return TRUE;
}
