// The controls a layout table can hold (pictures and image lists: picture.h).
#pragma once
#include <windows.h>

#include <string>

#include "component.h"

namespace form {

// Container drawn with an inner and an outer bevel.
class Panel : public Control {
 public:
  Panel(Form* owner, const ComponentRow& row, Control* parent);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  Bevel inner_, outer_;
};

// Container with a caption; the radio buttons inside it form one radio group. Panels and group
// boxes are control parents: Tab walks into their children.
class GroupBox : public Control {
 public:
  GroupBox(Form* owner, const ComponentRow& row, Control* parent);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
};

class Button : public Control {
 public:
  Button(Form* owner, const ComponentRow& row, Control* parent);
  // Runs the click handler as a user's click would (also when the button is disabled).
  void Click();
  NotifyEvent OnClick;

 protected:
  void HandleCommand(WORD code) override;
  LRESULT WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
};

// Check box; its caption stands right of the box unless SetCaptionOnRight(false).
class CheckBox : public Control {
 public:
  CheckBox(Form* owner, const ComponentRow& row, Control* parent);
  bool Checked() const { return checked_; }
  // A change of state, made by the user or in code, runs the click handler; setting the
  // state it already has runs nothing.
  void SetChecked(bool checked);
  void SetCaptionOnRight(bool right);
  NotifyEvent OnClick;

 protected:
  void HandleCommand(WORD code) override;
  HBRUSH HandleColor(HDC dc) override;

 private:
  bool checked_ = false;
};

// Radio button; checking it unchecks the other radio buttons with the same parent. Only the
// checked button of a group is a tab stop; the arrow keys choose the previous or next button of
// the group (visible and enabled, in tab order, wrapping round) as a click would.
class RadioButton : public Control {
 public:
  RadioButton(Form* owner, const ComponentRow& row, Control* parent);
  bool Checked() const { return checked_; }
  // Sets the state in code (unchecking the siblings when checked); runs no handler.
  void SetChecked(bool checked);
  // What a user's click does: check this button (siblings off), then run the click handler.
  void Click();
  NotifyEvent OnClick;

 protected:
  void HandleCommand(WORD code) override;
  HBRUSH HandleColor(HDC dc) override;
  LRESULT WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  RadioButton* Neighbour(int step) const;
  bool checked_ = false;
  bool tab_stop_ = true;
};

// Static text of fixed size. Text set as wide text (SetText) or code-page text (SetTextA).
class Label : public Control {
 public:
  Label(Form* owner, const ComponentRow& row, Control* parent);
  // With accelerator processing off, "&" is shown literally and underlines nothing.
  void SetShowAccelChar(bool show);
  bool ShowAccelChar() const;
  bool Transparent() const { return transparent_; }

 protected:
  HBRUSH HandleColor(HDC dc) override;

 private:
  bool transparent_ = false;
};

// One-line wide edit field.
class Edit : public Control {
 public:
  Edit(Form* owner, const ComponentRow& row, Control* parent);
  // Runs only when the text really changed (by the user or in code); setting the text it
  // already holds runs nothing.
  NotifyEvent OnChange;
  KeyEvent OnKeyDown;
  KeyEvent OnKeyUp;

 protected:
  void HandleCommand(WORD code) override;
  LRESULT WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  std::wstring last_text_;
};

// Items shared by the combo box and the list box. Item indexes outside 0 .. Count()-1 raise
// form::Error where an item is read or written.
class ItemList {
 public:
  virtual ~ItemList() = default;
  int Count() const;
  std::wstring Item(int index) const;
  // Replaces the text of an item, keeping the selection.
  void SetItem(int index, const std::wstring& text);
  int Add(const std::wstring& text);
  void Insert(int index, const std::wstring& text);
  void Delete(int index);
  void Clear();
  // Selected item, -1 for none. Setting it selects in code and runs no handler; an index
  // outside the list selects nothing.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Between BeginUpdate and EndUpdate the list neither redraws nor updates its scroll bar on
  // each change (many adds at once); EndUpdate redraws it once.
  void BeginUpdate();
  void EndUpdate();

 protected:
  struct Messages {
    UINT count, get_text_length, get_text, add, insert, remove, reset, get_selection, set_selection;
  };
  ItemList(const Messages& messages) : messages_(messages) {}
  virtual HWND ListHandle() const = 0;
  void CheckIndex(int index) const;

 private:
  Messages messages_;
  bool visible_before_update_ = false;
};

// Drop-down list without free text.
class ComboBox : public Control, public ItemList {
 public:
  ComboBox(Form* owner, const ComponentRow& row, Control* parent);
  // Position of the first item equal to `text` as a whole, ignoring letter case; -1 if none.
  int FindExact(const std::wstring& text) const;
  void SetItemHeight(int height);
  // The height is the selection field's; the window keeps room for the dropped-down list.
  void SetBounds(int left, int top, int width, int height) override;
  // Runs when the user chooses an item (not when the selection is set in code).
  NotifyEvent OnClick;

 protected:
  HWND ListHandle() const override { return Handle(); }
  void HandleCommand(WORD code) override;
};

// List of wide strings (the layouts keep them hidden, as data columns).
class ListBox : public Control, public ItemList {
 public:
  ListBox(Form* owner, const ComponentRow& row, Control* parent);

 protected:
  HWND ListHandle() const override { return Handle(); }
};

// Vertical scroll bar with a range, a position and line and page steps.
class ScrollBar : public Control {
 public:
  ScrollBar(Form* owner, const ComponentRow& row, Control* parent);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const;
  int SmallChange() const { return small_change_; }
  int LargeChange() const { return large_change_; }
  void SetMin(int min);
  void SetMax(int max);
  void SetPosition(int position);
  void SetSmallChange(int step) { small_change_ = step; }
  void SetLargeChange(int step) { large_change_ = step; }
  // Runs on every scroll action with the code and the new position (line and page steps,
  // thumb, top, bottom), clamped to Min .. Max; the position the handler leaves is kept.
  ScrollEvent OnScroll;
  // The scroll action `code` as the user would do it (what the window procedure runs).
  void Scroll(int code, int thumb_position = 0);

 protected:
  void HandleScroll(WORD code) override;

 private:
  void ApplyRange();
  int min_ = 0, max_ = 100, small_change_ = 1, large_change_ = 1;
};

}  // namespace form
