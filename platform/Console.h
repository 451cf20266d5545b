#pragma once

#include <string>
#include <string_view>

#include "platform/ErrorCode.h"

namespace swivex {

enum class ConsoleStream { kOutput, kError };

// The standard output and error of a console program. Text is UTF-8 on every system.
class Console {
 public:
  virtual ~Console() = default;

  // Writes all of `text`, or fails with the system's error.
  virtual ErrorCode Write(ConsoleStream stream, std::string_view text) = 0;
  // True when the stream shows on a terminal rather than going to a file or a pipe.
  virtual bool IsTerminal(ConsoleStream stream) = 0;
  // Text that the system gave, in the encoding it gives names and messages in, as UTF-8: from
  // the ANSI code page on a Windows whose code page is not UTF-8; elsewhere as it is, since
  // names there are bytes (which need not be UTF-8).
  virtual std::string Utf8FromSystem(std::string_view text) = 0;
};

}  // namespace swivex
