#include "tests/e2e/driver/Keyboard.h"

#include <string>
#include <vector>

#include "tests/e2e/driver/Wait.h"
#include "tests/e2e/driver/WindowList.h"

namespace swivex::e2e {

namespace {

INPUT KeyInput(WORD key, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  return input;
}

HWND ActiveWindowOfThread(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndActive;
}

}  // namespace

void BringToFront(HWND window) {
  std::string what = "the window \"";
  what += TextOf(window) + "\" to become the foreground window";
  WaitUntil(
      [&] {
        if (::GetForegroundWindow() == window && ActiveWindowOfThread(window) == window)
          return true;
        ::SetForegroundWindow(window);
        return false;
      },
      what);
}

void PressChord(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(KeyInput(key, false));
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    inputs.push_back(KeyInput(*key, true));
  const auto sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) throw DriverError("SendInput took only part of the keys");
}

void WaitUntilInputTaken(HWND window, Timeout timeout) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
  WaitUntil(
      [&] {
        RECT update{};
        return !::IsWindowVisible(window) || !::GetUpdateRect(window, &update, FALSE);
      },
      "the window to take the keys pressed", timeout);
}

}  // namespace swivex::e2e
