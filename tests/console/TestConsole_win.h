#pragma once

namespace swivex::testing {

// A console that the test program shares with the programs it starts, so that it can press
// Ctrl+C for them. Wine gives a program started without a terminal a console without a window
// that takes no control events (GenerateConsoleCtrlEvent fails): that one is replaced by a new,
// hidden one, which stays for the rest of the test program; the test's own standard handles
// stay as they were. While the object lasts, the test program itself lets Ctrl+C pass.
class TestConsole {
 public:
  TestConsole();
  TestConsole(const TestConsole&) = delete;
  TestConsole& operator=(const TestConsole&) = delete;
  ~TestConsole();

  // Ctrl+C for every program on the console. Wine 8 delivers no Ctrl+Break
  // (GenerateConsoleCtrlEvent fails with error 6), and a program in a process group of its own
  // ignores Ctrl+C, as on Windows: so the programs share the test's group.
  void PressCtrlC();
};

}  // namespace swivex::testing
