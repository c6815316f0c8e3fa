// The bridge's only window: a dialog that hides itself, starts the keyboard library, forwards
// each key report to the hot-key handler's window and sets the keyboard's feature reports.
#pragma once
#include <windows.h>

#include "bridge_rules.h"
#include "dialog.h"

namespace bridge {

// Number of the keyboard connect message (contracts/key_bridge.h), registered when the program
// starts.
extern const UINT kKeyboardConnectMessage;

class KeyBridgeDialog : public dialog::Dialog {
 public:
  KeyBridgeDialog();
  ~KeyBridgeDialog() override;

 protected:
  const dialog::MessageMap* GetMessageMap() const override;
  BOOL OnInitDialog() override;

 private:
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnQueryDragIcon(WPARAM, LPARAM);
  LRESULT OnKeyReport(WPARAM index, LPARAM report);
  LRESULT OnDevicePresent(WPARAM, LPARAM);
  LRESULT OnDeviceAbsent(WPARAM, LPARAM);
  LRESULT OnPowerBroadcast(WPARAM event, LPARAM);
  LRESULT OnFeaturesOff(WPARAM, LPARAM);
  LRESULT OnKeyboardConnect(WPARAM request, LPARAM);

  static const dialog::MessageMapEntry kEntries[];
  static const dialog::MessageMap kMessageMap;

  HICON icon_;
};

}  // namespace bridge
