// The steps the Configure Buttons and View Functions dialogs share when they edit the key
// EditButton of the selected scheme.
#pragma once
#include "dialogs/dialog_frame.h"
#include "form/form.h"
#include "form/layout.h"
#include "store/scheme_records.h"

class Tzokcfg_0;

// The key record being edited in the configuration record, or null when EditButton names no
// key record.
hotkey_data* EditedKeyRecord();
// The caption or link of the edited key in the working set as a field shows it: empty for its
// sentinel; empty too when EditButton names no key record.
std::wstring EditedKeyCaption();
std::wstring EditedKeyLink();

// A field whose text holds "|" is refused: message 24, whole, in a Unicode box without owner or
// caption, then the field gets the focus. True when refused.
bool RefuseBarIn(form::Edit& field);

// After the key's record and row have changed: the scheme counts as modified, the row becomes
// the selected one and the working set takes the record's scheme.
void FinishKeyEdit(Tzokcfg_0& window, int row);

// The base of the two key-editing dialogs: the components their layouts share (KeyEditLayout,
// AddOkAndCancel), bound by name.
class KeyEditDialog : public EditingDialog {
 public:
  form::GroupBox* GroupBox1 = nullptr;
  form::Image* Image1 = nullptr;
  form::Label* Label3 = nullptr;
  form::Label* Label4 = nullptr;
  form::Label* Label1 = nullptr;
  form::Edit* Edit1 = nullptr;
  form::Label* Label2 = nullptr;
  form::Button* BitBtn1 = nullptr;
  form::Button* BitBtn2 = nullptr;

 protected:
  KeyEditDialog(form::Application& app, const form::Layout& layout, const form::Handlers& handlers,
                form::Form*& reference);
};

// What the two key-editing dialogs' layouts have in common: the window, and in GroupBox1 the
// picture, the two explanation labels, the caption label and field and the second field's label.
struct KeyEditWindow {
  const char* name;
  const wchar_t* caption;
  int client_height;
  int group_height;
};
form::Layout KeyEditLayout(const KeyEditWindow& window);
// The font of the layouts' labels, fields and buttons.
extern const form::FontAttributes kKeyEditFont;
// OK (BitBtn1) and Cancel (BitBtn2) below the group box, at `top`.
void AddOkAndCancel(form::Layout& layout, int top);
