// A window class's handler table: each event name its layout uses, with the member function
// that handles it, written once per class:
//
//   const form::HandlerTable<Tzokcfg_1>& Tzokcfg_1::Handlers() {
//     static const form::HandlerTable<Tzokcfg_1> table = {
//         FORM_HANDLER(Tzokcfg_1, FormCreate),
//         FORM_HANDLER(Tzokcfg_1, BitBtn1Click),
//     };
//     return table;
//   }
//
// and bound to one window for the form's construction: form::Form(app, layout,
// Handlers().BindTo(this)). The member's signature decides the kind of event it handles.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "error.h"
#include "events.h"

namespace form {

template <class Window>
class HandlerTable {
 public:
  using Notify = void (Window::*)(Component& sender);
  using Key = void (Window::*)(Component& sender, WORD& key, unsigned shift);
  using Scroll = void (Window::*)(Component& sender, int code, int& position);

  struct Entry {
    Entry(const char* entry_name, Notify handler) : name(entry_name), notify(handler) {}
    Entry(const char* entry_name, Key handler) : name(entry_name), key(handler) {}
    Entry(const char* entry_name, Scroll handler) : name(entry_name), scroll(handler) {}
    const char* name;
    Notify notify = nullptr;
    Key key = nullptr;
    Scroll scroll = nullptr;
  };

  HandlerTable(std::initializer_list<Entry> entries) : entries_(entries) {}

  // The members bound to `window`. A name listed twice raises form::Error.
  Handlers BindTo(Window* window) const {
    Handlers handlers;
    for (const Entry& entry : entries_) {
      const std::string name = entry.name;
      if (handlers.notify.count(name) || handlers.key.count(name) || handlers.scroll.count(name))
        throw Error("Handler " + name + " is listed twice");
      if (Notify member = entry.notify) {
        handlers.notify[name] = [window, member](Component& sender) { (window->*member)(sender); };
      } else if (Key member = entry.key) {
        handlers.key[name] = [window, member](Component& sender, WORD& key, unsigned shift) {
          (window->*member)(sender, key, shift);
        };
      } else if (Scroll member = entry.scroll) {
        handlers.scroll[name] = [window, member](Component& sender, int code, int& position) {
          (window->*member)(sender, code, position);
        };
      }
    }
    return handlers;
  }

 private:
  std::vector<Entry> entries_;
};

}  // namespace form

// One entry of a handler table: the member's name is the handler's name in the layout.
#define FORM_HANDLER(Window, member) form::HandlerTable<Window>::Entry(#member, &Window::member)
