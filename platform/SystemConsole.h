#pragma once

#include "platform/Console.h"

namespace swivex {

// The process's standard output and error. On Windows a console window gets the text as UTF-16
// (WriteConsoleW), whatever its code page; a file or a pipe gets the UTF-8 bytes.
class SystemConsole : public Console {
 public:
  ErrorCode Write(ConsoleStream stream, std::string_view text) override;
  bool IsTerminal(ConsoleStream stream) override;
};

}  // namespace swivex
