// Layout tables: what a form and each of its components look like when the form is built.
//
// A table is a list of rows in creation order; a parent must come before its children. Rows
// are written with the builder functions, for example
//
//   form::Row("BitBtn6", form::Kind::kButton, "", 180, 662, 85, 25)
//       .Text(L"OK").Font(form::FontAttributes{L"Default", -11}).OnClick("BitBtn6Click")
//
// Positions are pixels relative to the parent's top-left corner (the form's client area for
// rows whose parent is ""). Handler names are resolved against a form::Handlers set; a name the
// set lacks makes the form's construction fail.
//
// Tab order: among the children of one parent, the rows that carry a TabOrder come first, in
// that order, and the others follow in table order, which is how a layout without tab orders
// lists a window: top to bottom as a user reads it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace form {

enum class Kind {
  kPanel,        // container with bevels
  kGroupBox,     // container with a caption; scopes the radio buttons inside it
  kButton,       // push button
  kCheckBox,     // check box
  kRadioButton,  // radio button
  kLabel,        // static text
  kEdit,         // one-line wide edit field
  kComboBox,     // drop-down list without free text
  kListBox,      // list of wide strings
  kScrollBar,    // vertical scroll bar
  kImage,        // picture: icon or bitmap (JPEG)
  kImageList,    // 16 x 16 image list (no window)
  kForm,         // the form itself (not a row of a table)
};

// A component's own font. Empty face, zero height or a negative character set take that
// attribute from the parent's font; a row without a FontAttributes copies the parent's font whole.
struct FontAttributes {
  std::wstring face;
  int height = 0;
  int charset = -1;
};

enum class Bevel { kNone, kRaised, kLowered };

enum class BorderStyle {
  kSingle,  // caption and system menu only: no sizing border, no minimise or maximise box
  kDialog,  // dialog frame with a close button, not resizable
};

struct ComponentRow {
  std::string name;
  Kind kind = Kind::kPanel;
  std::string parent;  // "" for the form itself
  int left = 0, top = 0, width = 0, height = 0;
  std::wstring text;
  bool has_font = false;
  FontAttributes font;
  bool visible = true;
  bool enabled = true;
  bool tab_stop = true;
  int tab_order = -1;                               // -1: none stated, the table's order
  bool checked = false;
  bool show_hint = false;
  bool transparent = false;
  bool auto_size = false;
  bool word_wrap = false;                           // label: lines broken at word ends
  int item_height = 0;                              // combo box: height of the list items
  Bevel bevel_inner = Bevel::kNone, bevel_outer = Bevel::kNone;  // panel
  std::string picture;                              // image: icon resource; image list: prefix
  bool picture_is_jpeg = false;                     // image: the resource is JPEG data
  int image_count = 0;                              // image list: entries prefix0 .. prefixN-1
  std::string on_click, on_change, on_key_down, on_key_up, on_scroll;

  ComponentRow& Text(const std::wstring& value) { text = value; return *this; }
  ComponentRow& Font(const FontAttributes& value) { has_font = true; font = value; return *this; }
  ComponentRow& Hidden() { visible = false; return *this; }
  ComponentRow& Disabled() { enabled = false; return *this; }
  ComponentRow& NoTabStop() { tab_stop = false; return *this; }
  ComponentRow& TabOrder(int value) { tab_order = value; return *this; }
  ComponentRow& Checked() { checked = true; return *this; }
  ComponentRow& ShowHint() { show_hint = true; return *this; }
  ComponentRow& Transparent() { transparent = true; return *this; }
  ComponentRow& AutoSize() { auto_size = true; return *this; }
  ComponentRow& WordWrap() { word_wrap = true; return *this; }
  ComponentRow& ItemHeight(int value) { item_height = value; return *this; }
  ComponentRow& Bevels(Bevel inner, Bevel outer) { bevel_inner = inner; bevel_outer = outer; return *this; }
  ComponentRow& Icon(const std::string& resource) { picture = resource; return *this; }
  ComponentRow& Jpeg(const std::string& resource) { picture = resource; picture_is_jpeg = true; return *this; }
  // Image list: icon resources named prefix + "0" .. prefix + (count - 1).
  ComponentRow& Images(const std::string& prefix, int count) { picture = prefix; image_count = count; return *this; }
  ComponentRow& OnClick(const std::string& handler) { on_click = handler; return *this; }
  ComponentRow& OnChange(const std::string& handler) { on_change = handler; return *this; }
  ComponentRow& OnKeyDown(const std::string& handler) { on_key_down = handler; return *this; }
  ComponentRow& OnKeyUp(const std::string& handler) { on_key_up = handler; return *this; }
  ComponentRow& OnScroll(const std::string& handler) { on_scroll = handler; return *this; }
};

inline ComponentRow Row(const std::string& name, Kind kind, const std::string& parent, int left,
                        int top, int width, int height) {
  ComponentRow row;
  row.name = name;
  row.kind = kind;
  row.parent = parent;
  row.left = left;
  row.top = top;
  row.width = width;
  row.height = height;
  return row;
}

struct FormRow {
  std::string name;          // component name of the form ("zokcfg_0")
  std::wstring class_name;   // window class registered for it ("Tzokcfg_0")
  std::wstring caption;
  BorderStyle border = BorderStyle::kSingle;
  int left = 0, top = 0, client_width = 0, client_height = 0;
  FontAttributes font;             // the form's font (a missing attribute: the default font's)
  std::string on_create, on_show, on_resize, on_destroy;

  FormRow& At(int x, int y) { left = x; top = y; return *this; }
  FormRow& Font(const FontAttributes& value) { font = value; return *this; }
  FormRow& OnCreate(const std::string& handler) { on_create = handler; return *this; }
  FormRow& OnShow(const std::string& handler) { on_show = handler; return *this; }
  FormRow& OnResize(const std::string& handler) { on_resize = handler; return *this; }
  FormRow& OnDestroy(const std::string& handler) { on_destroy = handler; return *this; }
};

// The form's own row, written like the component rows:
//   form::Window("zokcfg_4", L"Tzokcfg_4", L"About", form::BorderStyle::kDialog, 377, 338)
//       .At(527, 224).OnCreate("FormCreate")
inline FormRow Window(const std::string& name, const std::wstring& class_name, const std::wstring& caption,
                      BorderStyle border, int client_width, int client_height) {
  FormRow window;
  window.name = name;
  window.class_name = class_name;
  window.caption = caption;
  window.border = border;
  window.client_width = client_width;
  window.client_height = client_height;
  return window;
}

struct Layout {
  FormRow form;
  std::vector<ComponentRow> rows;
};

}  // namespace form
