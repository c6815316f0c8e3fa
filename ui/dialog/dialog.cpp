#include "dialog.h"

namespace dialog {

const MessageMapEntry Dialog::kEntries[] = {
    {WM_INITDIALOG, nullptr, MessageResult::kReturnValue, Senders::kAny,
     &Dialog::HandleInitDialog},
    {WM_COMMAND, nullptr, MessageResult::kMessageResult, Senders::kAny, &Dialog::HandleCommand},
};
const MessageMap Dialog::kMessageMap = {nullptr, kEntries, sizeof kEntries / sizeof kEntries[0]};

Dialog::Dialog(UINT template_id, HWND parent) : template_id_(template_id), parent_(parent) {}

Dialog::~Dialog() {
  if (hwnd_) DestroyWindow(hwnd_);
}

const MessageMap* Dialog::GetMessageMap() const { return &kMessageMap; }

BOOL Dialog::OnInitDialog() { return TRUE; }

void Dialog::OnOK() { EndModal(IDOK); }

void Dialog::OnCancel() { EndModal(IDCANCEL); }

void Dialog::EndModal(INT_PTR result) {
  modal_result_ = result;
  in_modal_loop_ = false;
  // Wakes the loop, which may be waiting in GetMessage.
  if (hwnd_) PostMessageW(hwnd_, WM_NULL, 0, 0);
}

INT_PTR Dialog::DoModal() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  modal_result_ = -1;
  in_modal_loop_ = true;
  if (!CreateDialogParamW(instance, MAKEINTRESOURCEW(template_id_), parent_, DialogProc,
                          reinterpret_cast<LPARAM>(this))) {
    in_modal_loop_ = false;
    return -1;
  }
  MSG msg;
  while (in_modal_loop_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      modal_result_ = IDABORT;
      break;
    }
    if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  in_modal_loop_ = false;
  if (hwnd_) DestroyWindow(hwnd_);
  return modal_result_;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* created = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(created));
    created->hwnd_ = hwnd;
    created->manager_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
  }
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT ...)
  INT_PTR answer = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return answer;
}

LRESULT CALLBACK Dialog::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return DefDlgProcW(hwnd, message, wParam, lParam);  // after WM_NCDESTROY
  const MessageMapEntry* entry = FindMessageEntry(self->GetMessageMap(), message);
  if (entry && entry->result == MessageResult::kMessageResult)
    return self->RunHandler(*entry, wParam, lParam);
  return CallWindowProcW(self->manager_proc_, hwnd, message, wParam, lParam);
}

LRESULT Dialog::RunHandler(const MessageMapEntry& entry, WPARAM wParam, LPARAM lParam) {
  if (entry.senders == Senders::kRelayedOnly && !TakeRelayed(wParam, lParam)) return 0;
  return (this->*entry.handler)(wParam, lParam);
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message);
  if (!entry) return FALSE;
  LRESULT value = RunHandler(*entry, wParam, lParam);
  DialogProcAnswer answer = AnswerFor(entry->result, value);
  if (answer.store_result) SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, answer.message_result);
  return answer.return_value;
}

LRESULT Dialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

LRESULT Dialog::HandleCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      break;
    case IDCANCEL:
      OnCancel();
      break;
  }
  return 0;
}

}  // namespace dialog
