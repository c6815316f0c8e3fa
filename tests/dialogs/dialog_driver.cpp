#include "dialog_driver.h"

#include "test_support.h"

namespace dialogs_test {

namespace {

struct Search {
  const std::function<bool(HWND)>* accept;
  HWND found;
};

BOOL CALLBACK MatchOwnDialog(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t class_name[16] = {};
  GetClassNameW(hwnd, class_name, 16);
  if (process != GetCurrentProcessId() || lstrcmpW(class_name, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  if (*search->accept && !(*search->accept)(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[2048] = {};
  GetWindowTextW(hwnd, text, 2048);
  return text;
}

}  // namespace

HWND FindOwnDialogWindow(const std::function<bool(HWND)>& accept) {
  Search search{&accept, nullptr};
  EnumWindows(MatchOwnDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BoxAnswers::BoxAnswers(std::vector<int> answers)
    : thread_([this, answers] {
        for (int answer : answers) {
          HWND box = nullptr;
          if (!testing_support::WaitUntil([&] { return (box = FindOwnDialogWindow()) != nullptr; }, 5000)) return;
          Sleep(50);  // the box has set its texts
          seen_.push_back({WindowText(box), WindowText(GetDlgItem(box, 0xFFFF))});
          PostMessageW(box, WM_COMMAND, answer, 0);
          testing_support::WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
        }
      }) {}

BoxAnswers::~BoxAnswers() {
  if (thread_.joinable()) thread_.join();
}

std::vector<ShownBox> BoxAnswers::Seen() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

}  // namespace dialogs_test
