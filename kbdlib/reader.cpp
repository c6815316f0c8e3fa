#include "reader.h"

#include "hid_device_manager.h"

HWND ReaderWindow = nullptr;

namespace {

constexpr DWORD kWaitStepMs = 100;
constexpr int kClearedPrefixBytes = 12;
// How long a stopping reader waits for its cancelled read to come back before it gives up
// and leaves its memory in place rather than free what the read might still write.
constexpr int kCancelWaitSteps = 50;

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

// Hands one report to the hidden window and waits until the client has taken it, then posts
// the notice with its first four bytes.
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

}  // namespace

ReaderContext* CreateReaderContext(int index, HANDLE collection, HWND window) {
  auto* context = static_cast<ReaderContext*>(
      HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ReaderContext)));
  if (!context) return nullptr;
  HANDLE process = GetCurrentProcess();
  if (!DuplicateHandle(process, collection, process, &context->handle, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    HeapFree(GetProcessHeap(), 0, context);
    return nullptr;
  }
  context->references = 1;
  context->index = index;
  context->window = window;
  return context;
}

void ReleaseReaderContext(ReaderContext* context) {
  if (InterlockedDecrement(&context->references) != 0) return;
  if (context->handle) CloseHandle(context->handle);
  HeapFree(GetProcessHeap(), 0, context);
}

void SignalReaderStop(ReaderContext* context) {
  InterlockedExchange(&context->stop, 1);
  if (context->thread) QueueUserAPC(WakeReader, context->thread, 0);
}

bool ClaimReaderDelivery(ReaderContext* context, LPARAM report) {
  void* address = reinterpret_cast<void*>(report);
  if (!address) return false;
  return InterlockedCompareExchangePointer(const_cast<void**>(&context->delivering), nullptr,
                                           address) == address;
}

DWORD WINAPI ReaderThread(LPVOID argument) {
  auto* context = static_cast<ReaderContext*>(argument);
  bool read_pending = false;
  DWORD code = RunReader(context, &read_pending);
  // A read the platform never returned may still write into the context: keep it.
  if (read_pending && !FinishPendingRead(context)) return code;
  ReleaseReaderContext(context);
  return code;
}

// --- The manager's reader operations ---

namespace {

// Stops the reader of slot `index` (if any) and empties the slot; never waits for it.
void StopReaderOfSlot(int index) {
  ReaderContext* context = DeviceManager.reader_slots[index];
  if (!context) return;
  DeviceManager.reader_slots[index] = nullptr;
  SignalReaderStop(context);
  if (context->thread) {
    CloseHandle(context->thread);
    context->thread = nullptr;
  }
  ReleaseReaderContext(context);
}

bool HasReaderSlot(int index) { return index >= 0 && index < kReaderSlotCount; }

}  // namespace

bool HidDeviceManager::StartReader(int index) {
  if (index < 0 || index >= device_count || !HasReaderSlot(index)) return false;
  if (IsDeviceOpen(index)) return false;
  if (!OpenDeviceHandle(index, true)) return false;
  RegisterHandleNotification(index);
  // A reader that ended by itself leaves its context in the slot until it is stopped.
  StopReaderOfSlot(index);
  ReaderWindow = notification_window;
  ReaderContext* context = CreateReaderContext(index, device_table[index].handle, ReaderWindow);
  if (!context) return false;
  context->references = 2;  // the slot's and the thread's
  // Only the client's thread uses the thread handle (to wake and to close it).
  context->thread = CreateThread(nullptr, 0, ReaderThread, context, 0, nullptr);
  if (!context->thread) {
    context->references = 1;
    ReleaseReaderContext(context);
    return false;
  }
  reader_slots[index] = context;
  return true;
}

int HidDeviceManager::StopReader(int index) {
  if (!IsDeviceOpen(index)) return 0;
  if (HasReaderSlot(index)) StopReaderOfSlot(index);
  UnregisterHandleNotification(index);
  CloseDeviceHandle(index);
  return 1;
}

void HidDeviceManager::StopAllReaders() {
  for (int i = 0; i < device_count; ++i) StopReader(i);
  // Slots beyond the current table (none in normal use) are stopped too, so no reader is
  // ever left running without a slot.
  for (int i = 0; i < kReaderSlotCount; ++i) StopReaderOfSlot(i);
}

int HidDeviceManager::CloseDeviceHandle(int index) {
  DeviceRecord* record = GetDeviceRecord(index);
  if (!record) return 0;
  if (record->handle_notification) {
    UnregisterDeviceNotification(record->handle_notification);
    record->handle_notification = nullptr;
  }
  if (record->event) {
    CloseHandle(record->event);
    record->event = nullptr;
  }
  if (record->handle) {
    CloseHandle(record->handle);
    record->handle = nullptr;
  }
  return 1;
}
