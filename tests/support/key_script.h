// A user at the keyboard, for tests of windows of this process: keys are posted to the window
// that has the focus, as the platform delivers them, and go through whatever message loop runs
// (a form's modal showing, a message box, the application's own loop).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// One step: keys pressed one after another, or something done on the program's thread.
struct KeyStep {
  struct Key {
    WORD vk;
    bool shift;
  };
  std::vector<Key> keys;
  std::function<void()> action;
};
KeyStep Press(WORD vk, bool shift = false);
inline KeyStep Tab() { return Press(VK_TAB); }
inline KeyStep ShiftTab() { return Press(VK_TAB, true); }
// The keys that type the text on a US keyboard (Shift where a character needs it).
KeyStep Type(const std::wstring& text);
KeyStep Do(std::function<void()> action);

// Runs the steps on this thread, one key at a time, each only when everything the one before
// caused has been handled: it is driven by a thread timer, which fires only when nothing else
// waits in the queue. `after_each` runs after each step (to note the focus, say), `when_done`
// after the last one. One script runs at a time.
class KeyScript {
 public:
  KeyScript(std::vector<KeyStep> steps, std::function<void()> after_each, std::function<void()> when_done);
  ~KeyScript();
  KeyScript(const KeyScript&) = delete;
  KeyScript& operator=(const KeyScript&) = delete;
  void Start();
  bool Done() const { return done_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void Next();

  std::vector<KeyStep> steps_;
  std::function<void()> after_each_, when_done_;
  size_t step_ = 0, key_ = 0, noted_ = 0;
  bool shift_held_ = false;
  bool done_ = false;
  UINT_PTR timer_ = 0;
};

// While alive, the windows this thread creates live on a desktop of their own, where no other
// process takes the foreground (and with it the focus) from them. Make it before the thread
// has any window.
class OwnDesktop {
 public:
  OwnDesktop();
  ~OwnDesktop();
  OwnDesktop(const OwnDesktop&) = delete;
  OwnDesktop& operator=(const OwnDesktop&) = delete;
  bool active() const { return desktop_ != nullptr; }

 private:
  HDESK previous_ = nullptr;
  HDESK desktop_ = nullptr;
};

}  // namespace testing_support
