#include "reader.h"

namespace {

constexpr DWORD kWaitStepMs = 100;
constexpr int kClearedPrefixBytes = 12;
// How long a stopping reader waits for its cancelled read to come back before it gives up
// and leaves its memory in place rather than free what the read might still write.
constexpr int kCancelWaitSteps = 50;

}  // namespace

// Everything one reader works with. The client's thread and the reader thread each hold one
// reference; whoever lets go last frees it, so a reader that is told to stop can finish at
// its own pace while its slot is reused at once.
struct ReaderContext {
  volatile LONG references;
  volatile LONG stop;         // 0 = run, 1 = stop; set by the client's thread
  volatile LONG read_done;    // set by the completion routine of the pending read
  int index;                  // device-table index, sent with every report
  HANDLE handle;              // the reader's own duplicate of the collection handle
  HANDLE thread;              // the reader thread; used and closed by the client's thread
  HWND window;                // where reports are delivered
  OVERLAPPED overlapped;      // of the pending read; hEvent carries the context
  // The passes read into the two buffers in turn, so a report completing while the previous
  // one is delivered never lands in the memory being delivered.
  unsigned char buffers[2][kInputReportLength];
  // The buffer being delivered by the pending ReaderReportMessage, or nullptr; the receiver
  // honours the message only for this address, and only once.
  void* volatile delivering;
};

namespace {

// Runs in the reader thread inside its alertable wait; the record's hEvent carries the
// context (ReadFileEx leaves that field to the caller).
VOID CALLBACK ReadCompletion(DWORD, DWORD, LPOVERLAPPED overlapped) {
  auto* context = static_cast<ReaderContext*>(overlapped->hEvent);
  InterlockedExchange(&context->read_done, 1);
}

// Queued to a reader to end its alertable wait at once.
VOID CALLBACK WakeReader(ULONG_PTR) {}

bool StopRequested(const ReaderContext* context) { return context->stop != 0; }

LPARAM FirstFourBytes(const unsigned char* report) {
  return static_cast<LPARAM>(static_cast<DWORD>(report[0]) | static_cast<DWORD>(report[1]) << 8 |
                             static_cast<DWORD>(report[2]) << 16 |
                             static_cast<DWORD>(report[3]) << 24);
}

bool QueueRead(ReaderContext* context, unsigned char* buffer) {
  ZeroMemory(&context->overlapped, sizeof context->overlapped);
  context->overlapped.hEvent = context;
  context->read_done = 0;
  return ReadFileEx(context->handle, buffer, kInputReportLength, &context->overlapped,
                    ReadCompletion) != FALSE;
}

// Hands one report to the window and waits until the client has taken it, then posts the
// notice with its first four bytes.
void Deliver(ReaderContext* context, unsigned char* report) {
  InterlockedExchangePointer(const_cast<void**>(&context->delivering), report);
  SendMessageA(context->window, ReaderReportMessage, static_cast<WPARAM>(context->index),
               reinterpret_cast<LPARAM>(report));
  InterlockedExchangePointer(const_cast<void**>(&context->delivering), nullptr);
  PostMessageA(context->window, ReaderNoticeMessage, static_cast<WPARAM>(context->index),
               FirstFourBytes(report));
}

// Waits in alertable steps until the pending read completes (true) or a stop is requested.
bool WaitForRead(ReaderContext* context) {
  while (!context->read_done) {
    if (StopRequested(context)) return false;
    SleepEx(kWaitStepMs, TRUE);
  }
  return true;
}

// Cancels the pending read and waits for its completion routine, after which nothing writes
// into the context any more. False when the read never came back.
bool FinishPendingRead(ReaderContext* context) {
  CancelIo(context->handle);
  for (int step = 0; step < kCancelWaitSteps && !context->read_done; ++step)
    SleepEx(kWaitStepMs, TRUE);
  return context->read_done != 0;
}

// The passes: queue the next read, deliver the report completed in the previous pass, clear
// it, wait for the queued read. Returns the thread's exit code; *read_pending tells whether
// a read is still outstanding.
DWORD RunReader(ReaderContext* context, bool* read_pending) {
  *read_pending = false;
  if (StopRequested(context)) return 0;
  for (unsigned pass = 0;; ++pass) {
    unsigned char* reading = context->buffers[pass & 1];
    unsigned char* completed = context->buffers[(pass + 1) & 1];
    if (!QueueRead(context, reading)) return 1;
    *read_pending = true;
    // The first pass has no completed read to deliver: a read that completes at once is
    // delivered by the next pass, after the read following it has been queued.
    if (pass != 0) {
      Deliver(context, completed);
      ZeroMemory(completed, kClearedPrefixBytes);
    }
    if (!WaitForRead(context)) return 0;
    *read_pending = false;
    if (StopRequested(context)) return 0;
  }
}

void ReleaseReaderContext(ReaderContext* context) {
  if (InterlockedDecrement(&context->references) != 0) return;
  if (context->handle) CloseHandle(context->handle);
  HeapFree(GetProcessHeap(), 0, context);
}

// Thread routine of one reader; exit code 0 when stopped, 1 when a read was refused.
DWORD WINAPI ReaderThread(LPVOID argument) {
  auto* context = static_cast<ReaderContext*>(argument);
  bool read_pending = false;
  DWORD code = RunReader(context, &read_pending);
  // A read the platform never returned may still write into the context: keep it.
  if (read_pending && !FinishPendingRead(context)) return code;
  ReleaseReaderContext(context);
  return code;
}

}  // namespace

ReaderContext* StartReaderThread(int index, HANDLE collection, HWND window) {
  auto* context = static_cast<ReaderContext*>(
      HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ReaderContext)));
  if (!context) return nullptr;
  HANDLE process = GetCurrentProcess();
  if (!DuplicateHandle(process, collection, process, &context->handle, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    HeapFree(GetProcessHeap(), 0, context);
    return nullptr;
  }
  context->references = 2;  // the caller's and the thread's
  context->index = index;
  context->window = window;
  // Only the client's thread uses the thread handle (to wake and to close it).
  context->thread = CreateThread(nullptr, 0, ReaderThread, context, 0, nullptr);
  if (!context->thread) {
    context->references = 1;
    ReleaseReaderContext(context);
    return nullptr;
  }
  return context;
}

void StopReaderThread(ReaderContext* context) {
  InterlockedExchange(&context->stop, 1);
  QueueUserAPC(WakeReader, context->thread, 0);
  CloseHandle(context->thread);
  context->thread = nullptr;
  ReleaseReaderContext(context);
}

bool ClaimReaderDelivery(ReaderContext* context, LPARAM report) {
  void* address = reinterpret_cast<void*>(report);
  if (!address) return false;
  return InterlockedCompareExchangePointer(const_cast<void**>(&context->delivering), nullptr,
                                           address) == address;
}
