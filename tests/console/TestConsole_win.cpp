#include "tests/console/TestConsole_win.h"

#include <windows.h>

#include <stdexcept>

namespace swivex::testing {

namespace {

BOOL WINAPI LetCtrlCPass(DWORD event) { return event == CTRL_C_EVENT; }

}  // namespace

TestConsole::TestConsole() {
  if (::GetConsoleWindow() == nullptr) {
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    ::FreeConsole();
    if (!::AllocConsole()) throw std::runtime_error("cannot make a console for the test");
    ::ShowWindow(::GetConsoleWindow(), SW_HIDE);
    ::SetStdHandle(STD_INPUT_HANDLE, input);
    ::SetStdHandle(STD_OUTPUT_HANDLE, output);
    ::SetStdHandle(STD_ERROR_HANDLE, error);
  }
  ::SetConsoleCtrlHandler(LetCtrlCPass, TRUE);
}

TestConsole::~TestConsole() { ::SetConsoleCtrlHandler(LetCtrlCPass, FALSE); }

void TestConsole::PressCtrlC() {
  if (!::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0))
    throw std::runtime_error("cannot press Ctrl+C on the test's console");
}

}  // namespace swivex::testing
