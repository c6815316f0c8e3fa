// Reader threads: one per read collection, delivering 32-byte input reports to a window by
// a synchronous send. Knows nothing of the device table: it is handed an open collection
// handle, a device-table index to report and the window to deliver to. Every function here
// runs on the client's thread; only the reader threads themselves run elsewhere.
#pragma once
#include <windows.h>

#include <vector>

#include "contracts/keyboard_library.h"

// One reader: its thread, stop flag, handle, report buffers and overlapped record.
struct ReaderContext;

// Every reader not yet freed, running or stopped. Used by the client's thread only.
class ReaderList {
 public:
  ReaderList() = default;
  ReaderList(const ReaderList&) = delete;
  ReaderList& operator=(const ReaderList&) = delete;

  // Starts a reader for `index` reading `collection` and delivering to `window`. The caller
  // keeps owning the handle and closes it only after Stop. nullptr when memory runs out or no
  // thread starts.
  ReaderContext* Start(int index, HANDLE collection, HWND window);
  // Tells the reader to stop and takes the collection handle from it: once this returns the
  // reader never uses the handle again, so the caller may close it at once (which ends the
  // pending read). Never waits for the reader: at most for it to finish queueing a read.
  // A report the reader is sending when stopped is still delivered (ClaimDelivery).
  void Stop(ReaderContext* reader);
  // Claims the delivery of `report` for `index`: true once for the address that a reader of
  // this list, running or stopped, is sending right now; false for any other address, or a
  // second claim.
  bool ClaimDelivery(WPARAM index, LPARAM report);
  // Frees the contexts of stopped readers whose threads are done with them.
  void ReleaseFinished();

 private:
  std::vector<ReaderContext*> readers_;
};
