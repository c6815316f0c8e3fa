// Event handler types shared by forms and controls.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace form {

class Component;

// Shift, Alt and Ctrl held during a key event.
enum ShiftState : unsigned {
  kShiftKey = 1,
  kAltKey = 2,
  kCtrlKey = 4,
};

// Click, change, create, show, resize, destroy: the sender only.
using NotifyEvent = std::function<void(Component& sender)>;
// Key down and key up: the virtual-key code (a handler may set it to 0 to swallow the key)
// and the shift state.
using KeyEvent = std::function<void(Component& sender, WORD& key, unsigned shift)>;
// Scroll: the scroll code (SB_LINEUP ... SB_ENDSCROLL) and the new position; the position the
// handler leaves becomes the scroll bar's position.
using ScrollEvent = std::function<void(Component& sender, int code, int& position)>;

// Handlers by the names a layout table gives its events ("BitBtn6Click"). A name the table
// uses but the set lacks is an error when the form is built.
struct Handlers {
  std::map<std::string, NotifyEvent> notify;
  std::map<std::string, KeyEvent> key;
  std::map<std::string, ScrollEvent> scroll;
};

}  // namespace form
