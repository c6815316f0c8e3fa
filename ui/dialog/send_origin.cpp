#include "send_origin.h"

namespace dialog {

namespace {

struct SentMessage {
  bool recorded;
  bool by_this_thread;
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The last message sent to a window of this thread, as the hook saw it.
thread_local SentMessage last_sent = {};

LRESULT CALLBACK RecordSentMessage(int code, WPARAM by_this_thread, LPARAM info) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(info);
    last_sent = {true, by_this_thread != 0, sent->hwnd, sent->message, sent->wParam, sent->lParam};
  }
  return CallNextHookEx(nullptr, code, by_this_thread, info);
}

}  // namespace

SendOriginWatch::SendOriginWatch()
    : hook_(SetWindowsHookExW(WH_CALLWNDPROC, RecordSentMessage, nullptr, GetCurrentThreadId())) {}

SendOriginWatch::~SendOriginWatch() {
  if (hook_) UnhookWindowsHookEx(hook_);
  last_sent = {};
}

bool TakeSentByThisThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SentMessage sent = last_sent;
  last_sent = {};
  return sent.recorded && sent.by_this_thread && sent.window == window &&
         sent.message == message && sent.wParam == wParam && sent.lParam == lParam;
}

}  // namespace dialog
