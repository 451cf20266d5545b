#pragma once

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
};

}  // namespace swivex
