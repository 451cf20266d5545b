#include "tests/screensaver-module/SyntheticInput.h"

#include <stdexcept>

namespace swivex::glowdrift::testing {

namespace {

void Send(INPUT* inputs, UINT count) {
  if (::SendInput(count, inputs, sizeof(INPUT)) != count)
    throw std::runtime_error("SendInput did not take every event");
}

INPUT KeyEvent(WORD virtualKey, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = flags;
  return input;
}

INPUT MouseEvent(int dx, int dy, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  return input;
}

}  // namespace

void PressKey(WORD virtualKey) {
  INPUT keys[] = {KeyEvent(virtualKey, 0), KeyEvent(virtualKey, KEYEVENTF_KEYUP)};
  Send(keys, 2);
}

void MoveMouseBy(int dx, int dy) {
  INPUT move = MouseEvent(dx, dy, MOUSEEVENTF_MOVE);
  Send(&move, 1);
}

void ClickLeftButton() {
  INPUT click[] = {MouseEvent(0, 0, MOUSEEVENTF_LEFTDOWN), MouseEvent(0, 0, MOUSEEVENTF_LEFTUP)};
  Send(click, 2);
}

void TurnWheel() {
  INPUT turn = MouseEvent(0, 0, MOUSEEVENTF_WHEEL);
  turn.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
  Send(&turn, 1);
}

void PutCursorAt(int x, int y) {
  if (!::SetCursorPos(x, y)) throw std::runtime_error("SetCursorPos failed");
}

POINT CursorPosition() {
  POINT position{};
  ::GetCursorPos(&position);
  return position;
}

}  // namespace swivex::glowdrift::testing
