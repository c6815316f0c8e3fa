// The library's state, owned by one object: the readers' list, then the device manager. It is
// made when the library is attached to a process and never destroyed: once InitDriver has
// started the hidden window and the threads, the library keeps itself loaded until the process
// ends (KeepLibraryLoaded), and a process that ends leaves its state as it is. A library that
// is unloaded before any InitDriver has started nothing that would need undoing.
#pragma once
#include <windows.h>

#include "hid_device_manager.h"
#include "reader.h"

class Library {
 public:
  Library() : manager(readers) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  ReaderList readers;
  HidDeviceManager manager;
};

// DLL_PROCESS_ATTACH: makes the state.
void AttachLibrary();
// The manager of the state, from AttachLibrary on.
HidDeviceManager& DeviceManager();
// Takes a reference to the library's own module that is never given back, so that a
// FreeLibrary of the client leaves the library loaded: its hidden window, idle thread and
// readers run its code until the process ends. Done once; false when no reference could be
// taken (the library may then be unloaded under them).
bool KeepLibraryLoaded();
