#include "tests/ui/DialogScript.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/ui/TestWindow.h"

namespace swivex::testing {

namespace {

DialogScript* running = nullptr;

constexpr UINT kTickMs = 25;
// How long the dialogs that the script closed after its deadline get to end their loops.
constexpr DWORD kClosingGraceMs = 5000;

bool IsDialog(HWND window) { return ClassOf(window) == "#32770"; }

std::vector<HWND> TopLevelWindowsOfThisThread() {
  std::vector<HWND> windows;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string DescribeWindowsOfThisThread() {
  std::string description = "visible windows of the test's thread:";
  for (HWND window : TopLevelWindowsOfThisThread()) {
    if (!::IsWindowVisible(window)) continue;
    description += "\n  class \"" + ClassOf(window) + "\" caption \"" + WindowCaption(window) +
                   "\"" + (::IsWindowEnabled(window) ? "" : " disabled") +
                   (window == ::GetActiveWindow() ? " active" : "");
  }
  return description;
}

}  // namespace

DialogScript::DialogScript(std::vector<Step> steps, DWORD stepDeadlineMs)
    : steps_(std::move(steps)), stepDeadlineMs_(stepDeadlineMs), stepStarted_(::GetTickCount()) {
  running = this;
  timer_ = ::SetTimer(nullptr, 0, kTickMs, Tick);
}

DialogScript::~DialogScript() {
  ::KillTimer(nullptr, timer_);
  running = nullptr;
}

void CALLBACK DialogScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (running != nullptr) running->OnTick();
}

void DialogScript::OnTick() {
  if (Finished()) return;
  const DWORD elapsed = ::GetTickCount() - stepStarted_;
  if (gaveUp_) {
    if (elapsed > stepDeadlineMs_ + kClosingGraceMs) EndProgram();
    return;
  }
  if (elapsed > stepDeadlineMs_) return GiveUp();
  if (current_ != nullptr) return RunCurrentStep();
  HWND dialog = FindNewDialog();
  if (!HasSettled(dialog)) return;
  seen_ = nullptr;
  handled_.push_back(dialog);
  current_ = dialog;
  RunCurrentStep();
}

void DialogScript::RunCurrentStep() {
  if (!steps_[next_](current_)) return;
  current_ = nullptr;
  ++next_;
  stepStarted_ = ::GetTickCount();
}

// Wine shows a dialog before it has been activated, painted and (the open-file dialog) moved
// into place; a step that read it earlier would see it half made.
bool DialogScript::HasSettled(HWND dialog) {
  RECT rect{};
  if (dialog != nullptr) ::GetWindowRect(dialog, &rect);
  const bool unmoved = dialog != nullptr && dialog == seen_ && ::EqualRect(&rect, &seenRect_);
  seen_ = dialog;
  seenRect_ = rect;
  return unmoved && ::GetActiveWindow() == dialog && NothingLeftToPaint();
}

std::string DialogScript::TimeoutMessage() const {
  return "DialogScript: step " + std::to_string(next_ + 1) + " of " +
         std::to_string(steps_.size()) +
         (current_ != nullptr ? " was not done with its dialog" : " found no new settled dialog") +
         " within " + std::to_string(stepDeadlineMs_) + " ms\n" + DescribeWindowsOfThisThread();
}

void DialogScript::GiveUp() {
  gaveUp_ = true;
  ADD_FAILURE() << TimeoutMessage();
  // Whatever modal loop the code under test runs belongs to one of these.
  for (HWND window : TopLevelWindowsOfThisThread()) {
    if (::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
        (IsDialog(window) || ::GetWindow(window, GW_OWNER) != nullptr))
      ::PostMessageA(window, WM_CLOSE, 0, 0);
  }
}

void DialogScript::EndProgram() const {
  std::fprintf(stderr, "%s\nThe dialogs did not close; ending the test program.\n",
               TimeoutMessage().c_str());
  std::fflush(stderr);
  ::ExitProcess(1);
}

HWND DialogScript::FindNewDialog() const {
  struct Search {
    const std::vector<HWND>* handled;
    HWND found;
  } search{&handled_, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto& state = *reinterpret_cast<Search*>(data);
        if (!::IsWindowVisible(window) || !IsDialog(window)) return TRUE;
        for (HWND handled : *state.handled) {
          if (handled == window) return TRUE;
        }
        state.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ChildText(HWND dialog, int id) { return WindowCaption(::GetDlgItem(dialog, id)); }

std::string WindowCaption(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof(name));
  return name;
}

void Press(HWND dialog, int buttonId) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

void TypeKeys(std::vector<WORD> modifiers, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD modifier : modifiers) add(modifier, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) add(*it, KEYEVENTF_KEYUP);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool TypedKeysHandled() { return (HIWORD(::GetQueueStatus(QS_KEY)) & QS_KEY) == 0; }

}  // namespace swivex::testing
