// Table-driven message maps for dialogs: each dialog class names its messages, their handlers
// and how each handler's value reaches the sender, in a constant table searched in order.
#pragma once
#include <windows.h>

#include <cstddef>

namespace dialog {

class Dialog;

// Every handler takes the message's wParam and lParam and gives a value; how that value is
// used is the entry's `result`.
using MessageHandler = LRESULT (Dialog::*)(WPARAM, LPARAM);

template <class Derived>
constexpr MessageHandler Handler(LRESULT (Derived::*handler)(WPARAM, LPARAM)) {
  return static_cast<MessageHandler>(handler);
}

enum class MessageResult {
  kDefaultProcessing,  // the value is dropped and the dialog manager's default processing runs
  kMessageResult,      // the value is what the sender gets (stored as DWLP_MSGRESULT)
  kReturnValue,        // the value is the dialog procedure's own return value, for the few
                       // messages that take it so (WM_INITDIALOG, WM_QUERYDRAGICON, ...)
};

enum class Senders {
  kAny,
  // Only the relay of the message the dialog watches (Dialog::WatchRelay) is honoured: the
  // same message sent from another thread or process, posted, or sent by this thread other
  // than as that relay, is ignored (its handler does not run; the sender gets 0). For
  // messages whose lParam is an address in this process.
  kRelayedOnly,
};

struct MessageMapEntry {
  UINT message;                    // used when `registered_message` is null
  const UINT* registered_message;  // number got from RegisterWindowMessage at start-up
  MessageResult result;
  Senders senders;
  MessageHandler handler;
};

struct MessageMap {
  const MessageMap* base;  // searched after `entries`; null at the root
  const MessageMapEntry* entries;
  size_t count;
};

// The first entry for `message`, searching `map`'s entries in order and then its bases;
// null when none handles it. A registered message whose registration failed (number 0)
// matches nothing.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message);

// What a dialog procedure returns, and the DWLP_MSGRESULT to store first when `store_result`.
struct DialogProcAnswer {
  INT_PTR return_value;
  bool store_result;
  LRESULT message_result;
};
DialogProcAnswer AnswerFor(MessageResult result, LRESULT value);

}  // namespace dialog
