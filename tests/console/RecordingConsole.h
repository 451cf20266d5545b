#pragma once

#include <string>
#include <string_view>

#include "platform/Console.h"
#include "platform/StopRequests.h"

namespace swivex::testing {

// Keeps what a program writes; the system's text is UTF-8 already.
class RecordingConsole final : public Console {
 public:
  explicit RecordingConsole(bool terminal = false) : terminal_(terminal) {}
  ErrorCode Write(ConsoleStream stream, std::string_view text) override {
    (stream == ConsoleStream::kError ? error : output).append(text);
    return 0;
  }
  bool IsTerminal(ConsoleStream) override { return terminal_; }
  std::string Utf8FromSystem(std::string_view text) override { return std::string(text); }

  std::string output;
  std::string error;

 private:
  bool terminal_;
};

// Requests to stop that the test makes.
class TestStops final : public StopRequests {
 public:
  StopRequest Requested() override { return request; }

  StopRequest request = StopRequest::kNone;
};

}  // namespace swivex::testing
