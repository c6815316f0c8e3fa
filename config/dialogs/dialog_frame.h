// What the four dialogs share: their handler tables bound by name, their captions looked up by
// key in the language file, the editing dialogs' own font, and their placement on the desktop
// work area.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "form/form.h"

// A dialog's handler table: each event name its layout uses, with the member that handles it.
template <class Dialog>
struct HandlerTable {
  using Notify = void (Dialog::*)(form::Component& sender);
  using Key = void (Dialog::*)(form::Component& sender, WORD& key, unsigned shift);
  std::vector<std::pair<const char*, Notify>> notify;
  std::vector<std::pair<const char*, Key>> key;
};

// The table's members bound to one dialog, for the form's construction.
template <class Dialog>
form::Handlers BindHandlers(Dialog* dialog, const HandlerTable<Dialog>& table) {
  form::Handlers handlers;
  for (const auto& entry : table.notify) {
    auto member = entry.second;
    handlers.notify[entry.first] = [dialog, member](form::Component& sender) { (dialog->*member)(sender); };
  }
  for (const auto& entry : table.key) {
    auto member = entry.second;
    handlers.key[entry.first] = [dialog, member](form::Component& sender, WORD& key, unsigned shift) {
      (dialog->*member)(sender, key, shift);
    };
  }
  return handlers;
}

// A caption key of section "objects" and what it names: a control, or the window when null.
struct CaptionEntry {
  const char* key;
  form::Control* target;
};

// Sets every target's text from the language file in table order (a missing text shows its
// key): labels take it as wide text, the window and the other controls as text of the system
// code page.
void LoadCaptionTable(form::Form& dialog, std::initializer_list<CaptionEntry> table);

// The own font of an editing dialog: created as "Arial" 9 and announced in DialogFonts[slot]
// while it exists, so that each showing of the main window can give it the language font.
class DialogFontOwner {
 public:
  explicit DialogFontOwner(int slot) : slot_(slot) {}
  ~DialogFontOwner() { Free(); }
  DialogFontOwner(const DialogFontOwner&) = delete;
  DialogFontOwner& operator=(const DialogFontOwner&) = delete;

  void Create();
  void Free();
  form::Font* get() const { return font_.get(); }
  // Each control takes the font's name, size, character set, colour and style.
  void ApplyTo(std::initializer_list<form::Control*> controls) const;

 private:
  int slot_;
  std::unique_ptr<form::Font> font_;
};

// The editing dialogs' placement: left (work-area right - width) / 2, top (work-area bottom -
// height) / 2.
void CentreOnWorkArea(form::Form& dialog);

// The About dialog's placement: each term halved on its own, right / 2 - width / 2 and
// bottom / 2 - height / 2, each halving truncating toward zero.
POINT HalvedCentredOrigin(const RECT& work_area, int width, int height);
void CentreOnWorkAreaByHalves(form::Form& dialog);
