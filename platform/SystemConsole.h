#pragma once

#include "platform/Console.h"

namespace swivex {

// The process's standard output and error. On Windows a console window gets the text as UTF-16
// (WriteConsoleW), whatever its code page; a file or a pipe gets the UTF-8 bytes. A stream
// whose reader has gone (a pipe into a program that ended) fails its writes and ends nothing.
class SystemConsole : public Console {
 public:
  SystemConsole();

  ErrorCode Write(ConsoleStream stream, std::string_view text) override;
  bool IsTerminal(ConsoleStream stream) override;
  std::string Utf8FromSystem(std::string_view text) override;
};

}  // namespace swivex
