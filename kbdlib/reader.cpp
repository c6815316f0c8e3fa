#include "reader.h"

#include <algorithm>

namespace {

constexpr DWORD kWaitStepMs = 100;
constexpr int kClearedPrefixBytes = 12;
// How long a stopped reader waits for its read to come back after its handle was closed
// before it ends anyway; the end of its thread then cancels the read.
constexpr int kCancelWaitSteps = 50;

// How far a reader thread is with its context.
enum Progress : LONG {
  kRunning = 0,
  kFinished = 1,   // the thread no longer touches the context
  kAbandoned = 2,  // the thread ends with a read outstanding: the context may be freed only
                   // once the thread (see `ended_thread`) has ended, which cancels the read
};

}  // namespace

// Everything one reader works with. Owned by the client's thread (a ReaderList); the reader
// thread tells through `progress` when it is done with it.
struct ReaderContext {
  volatile LONG stop;       // 0 = run, 1 = stop; set by the client's thread
  volatile LONG read_done;  // set by the completion routine of the pending read
  volatile LONG progress;   // Progress, set by the reader thread
  int index;                // device-table index, sent with every report
  // The collection handle, used only while `handle_lock` is held; the client's thread takes
  // it away (nullptr) when it stops the reader, before it closes the handle, so a handle value
  // that the platform hands out again is never read by a stopped reader.
  HANDLE handle;
  CRITICAL_SECTION handle_lock;
  HANDLE thread;            // the reader thread; closed by the client's thread at the stop
  HANDLE ended_thread;      // with kAbandoned: the reader's own handle to its thread
  HWND window;              // where reports are delivered
  OVERLAPPED overlapped;    // of the pending read; hEvent carries the context
  // The passes read into the two buffers in turn, so a report completing while the previous
  // one is delivered never lands in the memory being delivered.
  unsigned char buffers[2][contracts::kInputReportLength];
  // The buffer being delivered by the pending reader report message, or nullptr; the receiver
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

// Queues the next read, unless the reader was stopped (and its handle taken away).
bool QueueRead(ReaderContext* context, unsigned char* buffer) {
  ZeroMemory(&context->overlapped, sizeof context->overlapped);
  context->overlapped.hEvent = context;
  context->read_done = 0;
  EnterCriticalSection(&context->handle_lock);
  bool queued = context->handle && !StopRequested(context) &&
                ReadFileEx(context->handle, buffer, contracts::kInputReportLength, &context->overlapped,
                           ReadCompletion);
  LeaveCriticalSection(&context->handle_lock);
  return queued;
}

// Hands one report to the window and waits until the client has taken it, then posts the
// notice with its first four bytes.
void Deliver(ReaderContext* context, unsigned char* report) {
  InterlockedExchangePointer(const_cast<void**>(&context->delivering), report);
  SendMessageA(context->window, contracts::kReaderReportMessage, static_cast<WPARAM>(context->index),
               reinterpret_cast<LPARAM>(report));
  InterlockedExchangePointer(const_cast<void**>(&context->delivering), nullptr);
  PostMessageA(context->window, contracts::kReaderNoticeMessage, static_cast<WPARAM>(context->index),
               static_cast<LPARAM>(contracts::ReportFirstFourBytes(report)));
}

// Waits in alertable steps until the pending read completes (true) or a stop is requested.
bool WaitForRead(ReaderContext* context) {
  while (!context->read_done) {
    if (StopRequested(context)) return false;
    SleepEx(kWaitStepMs, TRUE);
  }
  return true;
}

// A stopped reader's handle has been closed, which ends its read: waits for the read's
// completion routine, after which nothing writes into the context any more. False when the
// read did not come back.
bool FinishPendingRead(ReaderContext* context) {
  for (int step = 0; step < kCancelWaitSteps && !context->read_done; ++step)
    SleepEx(kWaitStepMs, TRUE);
  return context->read_done != 0;
}

// The passes: queue the next read, deliver the report completed in the previous pass, clear
// it, wait for the queued read. Returns the thread's exit code; *read_pending tells whether
// a read is still outstanding.
DWORD RunReader(ReaderContext* context, bool* read_pending) {
  *read_pending = false;
  for (unsigned pass = 0;; ++pass) {
    unsigned char* reading = context->buffers[pass & 1];
    unsigned char* completed = context->buffers[(pass + 1) & 1];
    if (!QueueRead(context, reading)) return StopRequested(context) ? 0 : 1;
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

// Thread routine of one reader; exit code 0 when stopped, 1 when a read was refused.
DWORD WINAPI ReaderThread(LPVOID argument) {
  auto* context = static_cast<ReaderContext*>(argument);
  bool read_pending = false;
  DWORD code = RunReader(context, &read_pending);
  if (read_pending && !FinishPendingRead(context)) {
    HANDLE process = GetCurrentProcess();
    if (DuplicateHandle(process, GetCurrentThread(), process, &context->ended_thread, SYNCHRONIZE,
                        FALSE, 0)) {
      InterlockedExchange(&context->progress, kAbandoned);
    }
    // Without a handle to wait on, the context stays: a late read may still write into it.
    return code;
  }
  InterlockedExchange(&context->progress, kFinished);
  return code;
}

bool CanBeFreed(ReaderContext* context) {
  if (!StopRequested(context)) return false;
  if (context->progress == kFinished) return true;
  return context->progress == kAbandoned &&
         WaitForSingleObject(context->ended_thread, 0) == WAIT_OBJECT_0;
}

void FreeReader(ReaderContext* context) {
  if (context->ended_thread) CloseHandle(context->ended_thread);
  DeleteCriticalSection(&context->handle_lock);
  HeapFree(GetProcessHeap(), 0, context);
}

}  // namespace

ReaderContext* ReaderList::Start(int index, HANDLE collection, HWND window) {
  ReleaseFinished();
  auto* context = static_cast<ReaderContext*>(
      HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ReaderContext)));
  if (!context) return nullptr;
  InitializeCriticalSection(&context->handle_lock);
  context->index = index;
  context->handle = collection;
  context->window = window;
  readers_.push_back(context);
  context->thread = CreateThread(nullptr, 0, ReaderThread, context, 0, nullptr);
  if (!context->thread) {
    readers_.pop_back();
    FreeReader(context);
    return nullptr;
  }
  return context;
}

void ReaderList::Stop(ReaderContext* context) {
  EnterCriticalSection(&context->handle_lock);
  InterlockedExchange(&context->stop, 1);
  context->handle = nullptr;
  LeaveCriticalSection(&context->handle_lock);
  QueueUserAPC(WakeReader, context->thread, 0);
  CloseHandle(context->thread);
  context->thread = nullptr;
  ReleaseFinished();
}

bool ReaderList::ClaimDelivery(WPARAM index, LPARAM report) {
  void* address = reinterpret_cast<void*>(report);
  if (!address) return false;
  for (ReaderContext* context : readers_) {
    if (static_cast<WPARAM>(context->index) != index) continue;
    if (InterlockedCompareExchangePointer(const_cast<void**>(&context->delivering), nullptr,
                                          address) == address) {
      return true;
    }
  }
  return false;
}

void ReaderList::ReleaseFinished() {
  auto finished = std::stable_partition(readers_.begin(), readers_.end(),
                                        [](ReaderContext* context) { return !CanBeFreed(context); });
  std::for_each(finished, readers_.end(), FreeReader);
  readers_.erase(finished, readers_.end());
}
