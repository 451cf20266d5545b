#include "tests/ui/DialogScript.h"

namespace swivex::testing {

namespace {

DialogScript* running = nullptr;

constexpr UINT kTickMs = 50;
constexpr int kSettleTicks = 4;

}  // namespace

DialogScript::DialogScript(std::vector<Step> steps) : steps_(std::move(steps)) {
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
  if (current_ != nullptr) {
    if (steps_[next_](current_)) {
      current_ = nullptr;
      ++next_;
    }
    return;
  }
  HWND dialog = FindNewDialog();
  if (dialog == nullptr || dialog != seen_) {
    seen_ = dialog;
    settled_ = 0;
    return;
  }
  if (++settled_ < kSettleTicks) return;
  seen_ = nullptr;
  handled_.push_back(dialog);
  current_ = dialog;
  OnTick();
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
        if (!::IsWindowVisible(window) || ClassOf(window) != "#32770") return TRUE;
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

}  // namespace swivex::testing
