#include "library.h"

#include <new>

namespace {

// Made and destroyed by hand rather than as a static object, whose destruction the run-time
// would arrange at every detach, also at the end of the process.
alignas(Library) unsigned char storage[sizeof(Library)];
Library* library = nullptr;

}  // namespace

void AttachLibrary() {
  if (!library) library = new (storage) Library();
}

void DetachLibrary(bool process_ending) {
  if (!library || process_ending) return;
  library->~Library();
  library = nullptr;
}

HidDeviceManager& DeviceManager() { return library->manager; }
