// Reader threads: one per read collection, delivering 32-byte input reports to the hidden
// window. The manager's StartReader, StopReader, StopAllReaders and CloseDeviceHandle are
// defined with them (reader.cpp); SendFeatureReport in feature_report.cpp.
#pragma once
#include <windows.h>

constexpr int kInputReportLength = 32;
constexpr UINT ReaderNoticeMessage = 0x501;
constexpr UINT ReaderReportMessage = 0x502;

// The window every reader delivers to; StartReader copies the manager's notification window.
extern HWND ReaderWindow;

// Everything one reader works with. The client's thread (through its reader slot) and the
// reader thread each hold one reference; whoever lets go last frees it, so a reader that is
// told to stop can finish at its own pace while its slot is reused at once.
struct ReaderContext {
  volatile LONG references;
  volatile LONG stop;         // 0 = run, 1 = stop; set by the client's thread
  volatile LONG read_done;    // set by the completion routine of the pending read
  int index;                  // device-table index, below the number of reader slots
  HANDLE handle;              // the reader's own duplicate of the collection handle
  HANDLE thread;              // the reader thread; used and closed by the client's thread
  HWND window;                // where reports are delivered
  OVERLAPPED overlapped;      // of the pending read; hEvent carries the context
  // The passes read into the two buffers in turn, so a report completing while the previous
  // one is delivered never lands in the memory being delivered.
  unsigned char buffers[2][kInputReportLength];
  // The buffer being delivered by the pending ReaderReportMessage, or nullptr; the hidden
  // window honours the message only for this address, and only once.
  void* volatile delivering;
};

// Makes a context for reader `index` reading its own duplicate of `collection`, with one
// reference held by the caller. nullptr when the handle cannot be duplicated or no memory.
ReaderContext* CreateReaderContext(int index, HANDLE collection, HWND window);
// Drops one reference; the last one closes the duplicate handle and frees the context.
void ReleaseReaderContext(ReaderContext* context);
// Tells the reader to stop and wakes it from its wait; does not wait for it.
void SignalReaderStop(ReaderContext* context);
// Claims the delivery of `report` by the reader: true once for the address the reader is
// delivering right now, false for any other address or a second claim.
bool ClaimReaderDelivery(ReaderContext* context, LPARAM report);

// Thread routine of one reader (argument: its context); exit code 0 when stopped, 1 when a
// read was refused.
DWORD WINAPI ReaderThread(LPVOID argument);
