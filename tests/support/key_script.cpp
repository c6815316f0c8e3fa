#include "key_script.h"

namespace testing_support {

namespace {

KeyScript* running = nullptr;

void HoldShift(bool held) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  const BYTE down = held ? 0x80 : 0;
  state[VK_SHIFT] = state[VK_LSHIFT] = down;
  SetKeyboardState(state);
}

void PostKey(HWND target, UINT message, WORD vk) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  const LPARAM released = message == WM_KEYUP ? static_cast<LPARAM>(0xC0000000u) : 0;
  PostMessageW(target, message, vk, 1 | scan | released);
}

}  // namespace

KeyStep Press(WORD vk, bool shift) { return KeyStep{{{vk, shift}}, {}}; }

KeyStep Type(const std::wstring& text) {
  KeyStep step;
  for (wchar_t c : text) {
    const SHORT key = VkKeyScanW(c);
    step.keys.push_back({static_cast<WORD>(LOBYTE(key)), (HIBYTE(key) & 1) != 0});
  }
  return step;
}

KeyStep Do(std::function<void()> action) { return KeyStep{{}, std::move(action)}; }

KeyScript::KeyScript(std::vector<KeyStep> steps, std::function<void()> after_each, std::function<void()> when_done)
    : steps_(std::move(steps)), after_each_(std::move(after_each)), when_done_(std::move(when_done)) {}

KeyScript::~KeyScript() {
  if (timer_) KillTimer(nullptr, timer_);
  if (running == this) running = nullptr;
}

void KeyScript::Start() {
  running = this;
  timer_ = SetTimer(nullptr, 0, 10, &KeyScript::Tick);
}

void CALLBACK KeyScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (running) running->Next();
}

void KeyScript::Next() {
  if (done_) return;
  if (shift_held_) {
    HoldShift(false);
    shift_held_ = false;
  }
  // A step is over once everything it caused has been handled, that is at the next tick.
  if (step_ > 0 && key_ == 0 && noted_ < step_) {
    noted_ = step_;
    if (after_each_) after_each_();
  }
  if (step_ == steps_.size()) {
    KillTimer(nullptr, timer_);
    timer_ = 0;
    done_ = true;
    if (when_done_) when_done_();
    return;
  }
  const KeyStep& step = steps_[step_];
  if (step.keys.empty()) {
    // State first: the action may run a message loop in which the next steps are taken.
    const std::function<void()> action = step.action;
    ++step_;
    if (action) action();
    return;
  }
  const KeyStep::Key key = step.keys[key_];
  if (++key_ == step.keys.size()) {
    key_ = 0;
    ++step_;
  }
  HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
  if (key.shift) {
    HoldShift(true);
    shift_held_ = true;
    PostKey(target, WM_KEYDOWN, VK_SHIFT);
  }
  PostKey(target, WM_KEYDOWN, key.vk);
  PostKey(target, WM_KEYUP, key.vk);
  if (key.shift) PostKey(target, WM_KEYUP, VK_SHIFT);
}

OwnDesktop::OwnDesktop() : previous_(GetThreadDesktop(GetCurrentThreadId())) {
  const std::wstring name = L"keys" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount());
  desktop_ = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (desktop_ && !SetThreadDesktop(desktop_)) {
    CloseDesktop(desktop_);
    desktop_ = nullptr;
  }
}

OwnDesktop::~OwnDesktop() {
  if (!desktop_) return;
  SetThreadDesktop(previous_);
  CloseDesktop(desktop_);
}

}  // namespace testing_support
