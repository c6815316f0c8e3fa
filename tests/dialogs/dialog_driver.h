// Driving the dialogs' modal boxes from a second thread while the test's thread runs them.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace dialogs_test {

// A visible top-level dialog-class window ("#32770") of this process that `accept` takes.
HWND FindOwnDialogWindow(const std::function<bool(HWND)>& accept = nullptr);

// What a message box showed.
struct ShownBox {
  std::wstring caption;
  std::wstring text;
};

// Answers the next message boxes of this process in order with the given button ids, keeping
// what each showed; stops at the first box that does not come within five seconds.
class BoxAnswers {
 public:
  explicit BoxAnswers(std::vector<int> answers);
  ~BoxAnswers();
  std::vector<ShownBox> Seen();

 private:
  std::vector<ShownBox> seen_;
  std::thread thread_;
};

}  // namespace dialogs_test
