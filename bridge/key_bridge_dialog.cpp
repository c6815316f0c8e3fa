#include "key_bridge_dialog.h"

#include "exports.h"  // the keyboard library's five functions, imported by ordinal
#include "resource.h"

namespace bridge {

const UINT kKeyboardConnectMessage = RegisterWindowMessageA("ZOKKBDPNPCONNECT");

namespace {

using dialog::Handler;
using dialog::MessageResult;
using dialog::Senders;

void SendFeatureReport(unsigned char report_id, unsigned char value) {
  FeatureReport report = MakeFeatureReport(report_id, value);
  SetKbdFeatures(kKeyboardUsagePage, kKeyboardUsage, report.data());
}

void StartReading() { ReadDevice(kKeyboardUsagePage, kKeyboardUsage); }

BOOL CALLBACK KeepIfLibraryWindow(HWND window, LPARAM found) {
  char name[sizeof kLibraryWindowClass + 1] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, kLibraryWindowClass) != 0) return TRUE;
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
    {kDevicePresentMessage, nullptr, MessageResult::kMessageResult, Senders::kAny,
     Handler(&KeyBridgeDialog::OnDevicePresent)},
    {kDeviceAbsentMessage, nullptr, MessageResult::kMessageResult, Senders::kAny,
     Handler(&KeyBridgeDialog::OnDeviceAbsent)},
    {WM_POWERBROADCAST, nullptr, MessageResult::kMessageResult, Senders::kAny,
     Handler(&KeyBridgeDialog::OnPowerBroadcast)},
    {kFeaturesOffMessage, nullptr, MessageResult::kMessageResult, Senders::kAny,
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
  WatchRelay(LibraryWindowOfThisThread(), kReaderReportMessage);
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
  HWND handler = FindWindowA("AfxFrameOrView42sud", "ZOKHkWND");
  if (handler && report) {
    PostMessageA(handler, kForwardedKeyMessage, index,
                 ForwardedKeyValue(reinterpret_cast<const unsigned char*>(report)));
  }
  return 1;
}

LRESULT KeyBridgeDialog::OnDevicePresent(WPARAM, LPARAM) {
  StartReading();
  SendFeatureReport(2, 2);
  Sleep(100);
  SendFeatureReport(3, 2);
  Sleep(100);
  SendFeatureReport(2, 0);
  Sleep(100);
  SendFeatureReport(3, 0);
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
  SendFeatureReport(2, 0);
  SendFeatureReport(3, 0);
  return 1;
}

// Only a request with wParam 0 connects; any other request is answered with itself.
LRESULT KeyBridgeDialog::OnKeyboardConnect(WPARAM request, LPARAM) {
  if (request != 0) return static_cast<LRESULT>(request);
  StartReading();
  SendFeatureReport(2, 2);
  Sleep(100);
  SendFeatureReport(3, 2);
  return 1;
}

}  // namespace bridge
