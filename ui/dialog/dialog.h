// A dialog made from a dialog template resource and run modally by its own message loop.
// Derived classes describe their behaviour in a message map (message_map.h) and return it
// from GetMessageMap; the base map handles WM_INITDIALOG (OnInitDialog) and the IDOK /
// IDCANCEL commands (WM_CLOSE arrives as IDCANCEL), which end the modal loop.
// Entries whose value is the message result are answered by the dialog's window procedure
// itself, ahead of the dialog manager: the sender gets the same value without the manager's
// DWLP_MSGRESULT round (reset, store, read back), which costs a server call each under Wine.
#pragma once
#include <windows.h>

#include "message_map.h"
#include "relayed_send.h"

namespace dialog {

class Dialog {
 public:
  Dialog(UINT template_id, HWND parent);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Creates the dialog, runs its modal loop and destroys it. Returns the value given to
  // EndModal, -1 when the dialog could not be created, or IDABORT when the loop met WM_QUIT
  // (which is posted again for any outer loop).
  INT_PTR DoModal();
  void EndModal(INT_PTR result);
  HWND hwnd() const { return hwnd_; }

 protected:
  virtual const MessageMap* GetMessageMap() const;
  // After the window exists, before it is shown; TRUE lets the dialog manager set the focus.
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // Starts watching `window` of this thread for `message`, which it relays to this dialog:
  // entries with Senders::kRelayedOnly are honoured only for such relays (relayed_send.h).
  bool WatchRelay(HWND window, UINT message) { return relay_watch_.Watch(window, message); }

  // The base map, for derived maps to name as theirs.
  static const MessageMap kMessageMap;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Set over the dialog manager's procedure once WM_INITDIALOG has arrived.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs the entry's handler if its senders are honoured; 0 otherwise.
  LRESULT RunHandler(const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam);
  LRESULT HandleInitDialog(WPARAM, LPARAM);
  LRESULT HandleCommand(WPARAM wParam, LPARAM);

  static const MessageMapEntry kEntries[];

  UINT template_id_;
  HWND parent_;
  HWND hwnd_ = nullptr;
  WNDPROC manager_proc_ = nullptr;
  bool in_modal_loop_ = false;
  INT_PTR modal_result_ = 0;
  RelayWatch relay_watch_;
};

}  // namespace dialog
