// The library's state, owned by one object: the readers' list, then the device manager, made
// in this order when the library is attached to a process and destroyed in the reverse order
// when it is unloaded while the process goes on (FreeLibrary): the manager's end stops every
// reader and closes every collection, then the list lets the stopped readers go. When the
// process ends, its other threads are gone already, perhaps one in the middle of a reader's
// locked step: the state is then left as it is, so that nothing is locked or waited on.
#pragma once
#include <windows.h>

#include "hid_device_manager.h"
#include "reader.h"

class Library {
 public:
  Library() : manager(readers) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  ReaderList readers;  // first, so that it outlives the manager
  HidDeviceManager manager;
};

// DLL_PROCESS_ATTACH: makes the state.
void AttachLibrary();
// DLL_PROCESS_DETACH: destroys the state when the library is unloaded while the process goes
// on; leaves it alone when `process_ending`.
void DetachLibrary(bool process_ending);
// The manager of the state, between AttachLibrary and DetachLibrary.
HidDeviceManager& DeviceManager();
