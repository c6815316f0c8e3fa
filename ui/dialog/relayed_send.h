// Tells a message that a window of this thread relays to one of ours by a send on this thread
// (as the keyboard library's hidden window hands each reader report on to the bridge's
// dialog) from the same message sent by another thread or process, or posted. Inside a
// procedure that handles a send from another thread InSendMessageEx cannot tell them apart.
// The relaying window's procedure is wrapped (one direct call per message, where a thread
// hook costs server round trips per message under Wine): while it handles the message to
// relay, the watch knows its wParam and lParam, and a relay that carries them is honoured
// once.
#pragma once
#include <windows.h>

namespace dialog {

// Watches one window of this thread for one message while alive; one watch per thread.
class RelayWatch {
 public:
  RelayWatch() = default;
  ~RelayWatch();
  RelayWatch(const RelayWatch&) = delete;
  RelayWatch& operator=(const RelayWatch&) = delete;

  // Starts watching `window`, which must belong to this thread, for `message`. False when it
  // does not, or when this thread already has a watch.
  bool Watch(HWND window, UINT message);
  bool active() const { return watching_; }

 private:
  bool watching_ = false;
};

// Whether a message with `wParam` and `lParam` is the relay of the watched message that the
// watched window is handling right now: its lParam the same and its wParam the low word of
// the watched one. True only once per watched message, so a second message with the same
// parameters within the same relay is not honoured.
bool TakeRelayed(WPARAM wParam, LPARAM lParam);

}  // namespace dialog
