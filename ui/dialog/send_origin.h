// Tells a message sent by this thread from one sent by another thread or process, or posted.
// InSendMessageEx cannot: inside a procedure that handles a send from another thread, a
// further send on this thread still counts as that outer send. A WH_CALLWNDPROC hook of the
// thread sees each sent message just before its window procedure runs, and whether the
// current thread sent it; posted messages never pass it.
#pragma once
#include <windows.h>

namespace dialog {

// Watches the messages sent to this thread's windows while alive.
class SendOriginWatch {
 public:
  SendOriginWatch();
  ~SendOriginWatch();
  SendOriginWatch(const SendOriginWatch&) = delete;
  SendOriginWatch& operator=(const SendOriginWatch&) = delete;
  bool active() const { return hook_ != nullptr; }

 private:
  HHOOK hook_;
};

// Whether the message now entering `window`'s procedure was sent by this thread. Call once,
// at the start of the procedure: the record is used up, so a later posted message with the
// same parameters is not taken for a send. False when no watch is active.
bool TakeSentByThisThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dialog
