#include "key_bridge_dialog.h"

#include "contracts/hotkey_handler.h"
#include "contracts/key_bridge.h"
#include "exports.h"  // the keyboard library's five functions, imported by ordinal
#include "resource.h"

namespace bridge {

const UINT kKeyboardConnectMessage = RegisterWindowMessageA(contracts::kKeyboardConnectMessageName);

namespace {

using dialog::Handler;
using dialog::MessageResult;
using dialog::Senders;

using contracts::kKeyboardUsage;
using contracts::kKeyboardUsagePage;

// The settings in order; with a pause, the pause stands between each two.
template <size_t N>
void SetFeatures(const FeatureSetting (&settings)[N], DWORD pause_ms) {
  for (size_t i = 0; i < N; ++i) {
    if (i > 0 && pause_ms > 0) Sleep(pause_ms);
    FeatureReport report = MakeFeatureReport(settings[i].report_id, settings[i].value);
    SetKbdFeatures(kKeyboardUsagePage, kKeyboardUsage, report.data());
  }
}

void StartReading() { ReadDevice(kKeyboardUsagePage, kKeyboardUsage); }

BOOL CALLBACK KeepIfLibraryWindow(HWND window, LPARAM found) {
  char name[sizeof contracts::kLibraryWindowClass + 1] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, contracts::kLibraryWindowClass) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The library's hidden window, which InitDriver made on this thread; other processes may
// have windows of the same class.
HWND LibraryWindowOfThisThread() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), KeepIfLibraryWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

const dialog::MessageMapEntry KeyBridgeDialog::kEntries[] = {
    {WM_PAINT, nullptr, MessageResult::kDefaultProcessing, Senders::kAny,
     Handler(&KeyBridgeDialog::OnPaint)},
    {WM_QUERYDRAGICON, nullptr, MessageResult::kReturnValue, Senders::kAny,
     Handler(&KeyBridgeDialog::OnQueryDragIcon)},
    // lParam is the address of the report: honoured only as the library's hidden window's
    // relay of a reader report, which the library hands on only for the buffer that one of
    // its readers is delivering at that moment.
    {kKeyReportMessage, nullptr, MessageResult::kMessageResult, Senders::kRelayedOnly,
     Handler(&KeyBridgeDialog::OnKeyReport)},
    {contracts::kDevicePresentMessage, nullptr, MessageResult::kMessageResult, Senders::kAny,
     Handler(&KeyBridgeDialog::OnDevicePresent)},
    {contracts::kDeviceAbsentMessage, nullptr, MessageResult::kMessageResult, Senders::kAny,
     Handler(&KeyBridgeDialog::OnDeviceAbsent)},
    {WM_POWERBROADCAST, nullptr, MessageResult::kMessageResult, Senders::kAny,
     Handler(&KeyBridgeDialog::OnPowerBroadcast)},
    {contracts::kFeaturesOffMessage, nullptr, MessageResult::kMessageResult, Senders::kAny,
     Handler(&KeyBridgeDialog::OnFeaturesOff)},
    {0, &kKeyboardConnectMessage, MessageResult::kMessageResult, Senders::kAny,
     Handler(&KeyBridgeDialog::OnKeyboardConnect)},
};
const dialog::MessageMap KeyBridgeDialog::kMessageMap = {
    &dialog::Dialog::kMessageMap, kEntries, sizeof kEntries / sizeof kEntries[0]};

KeyBridgeDialog::KeyBridgeDialog()
    : dialog::Dialog(IDD_KEYBRIDGE, nullptr),
      icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KEYBRIDGE))) {}

KeyBridgeDialog::~KeyBridgeDialog() = default;

const dialog::MessageMap* KeyBridgeDialog::GetMessageMap() const { return &kMessageMap; }

BOOL KeyBridgeDialog::OnInitDialog() {
  dialog::Dialog::OnInitDialog();
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  InitDriver(hwnd(), kKeyReportMessage, kKeyboardUsagePage);
  WatchRelay(LibraryWindowOfThisThread(), contracts::kReaderReportMessage);
  return TRUE;
}

// Created visible, the dialog hides itself on its first paint and on every later one.
LRESULT KeyBridgeDialog::OnPaint(WPARAM, LPARAM) {
  ShowWindow(hwnd(), SW_HIDE);
  return 0;
}

LRESULT KeyBridgeDialog::OnQueryDragIcon(WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(icon_);
}

// The report lives only while the library's send lasts: its first four bytes are copied into
// the posted message. The hot-key handler's window is looked up anew every time.
LRESULT KeyBridgeDialog::OnKeyReport(WPARAM index, LPARAM report) {
  HWND handler = FindWindowA(contracts::kHotkeyWindowClass, contracts::kBridgeHotkeyWindowTitle);
  if (handler && report) {
    const uint32_t first_bytes = contracts::ReportFirstFourBytes(reinterpret_cast<const unsigned char*>(report));
    PostMessageA(handler, contracts::kForwardedKeyMessage, index, static_cast<LPARAM>(first_bytes));
  }
  return 1;
}

LRESULT KeyBridgeDialog::OnDevicePresent(WPARAM, LPARAM) {
  StartReading();
  SetFeatures(kArrivalFeatures, kFeaturePauseMs);
  return 1;
}

LRESULT KeyBridgeDialog::OnDeviceAbsent(WPARAM, LPARAM) {
  RemoveDevice();
  return 1;
}

// TRUE for every event, so a suspend request is never refused.
LRESULT KeyBridgeDialog::OnPowerBroadcast(WPARAM event, LPARAM) {
  switch (ActionForPowerEvent(event)) {
    case PowerAction::kRemoveDevice:
      RemoveDevice();
      break;
    case PowerAction::kDeviceArrival:
      DeviceArrival();
      break;
    case PowerAction::kNothing:
      break;
  }
  return TRUE;
}

LRESULT KeyBridgeDialog::OnFeaturesOff(WPARAM, LPARAM) {
  SetFeatures(kFeaturesOff, 0);
  return 1;
}

// Only a request with wParam 0 connects; any other request is answered with itself.
LRESULT KeyBridgeDialog::OnKeyboardConnect(WPARAM request, LPARAM) {
  if (request != 0) return static_cast<LRESULT>(request);
  StartReading();
  SetFeatures(kConnectFeatures, kFeaturePauseMs);
  return 1;
}

}  // namespace bridge
