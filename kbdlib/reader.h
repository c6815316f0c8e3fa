// Reader threads: one per read collection, delivering 32-byte input reports to a window by
// a synchronous send. Knows nothing of the device table: it is handed an open collection
// handle, a device-table index to report and the window to deliver to.
#pragma once
#include <windows.h>

constexpr int kInputReportLength = 32;
constexpr UINT ReaderNoticeMessage = 0x501;
constexpr UINT ReaderReportMessage = 0x502;

// One running reader: its thread, stop flag, handle, report buffers and overlapped record.
struct ReaderContext;

// Starts a reader for `index` reading its own duplicate of `collection` and delivering to
// `window`. nullptr when the handle cannot be duplicated, memory runs out or no thread starts.
ReaderContext* StartReaderThread(int index, HANDLE collection, HWND window);
// Tells the reader to stop, wakes it and lets go of it; never waits for it. The reader frees
// its own context when it has ended.
void StopReaderThread(ReaderContext* reader);
// Claims the delivery of `report` by the reader: true once for the address the reader is
// delivering right now, false for any other address or a second claim.
bool ClaimReaderDelivery(ReaderContext* reader, LPARAM report);
