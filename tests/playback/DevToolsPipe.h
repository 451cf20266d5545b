#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/playback/DevToolsText.h"

namespace swivex::testing {

// Debian's chromium, headless, driven through its DevTools protocol on two pipes
// (--remote-debugging-pipe: it reads commands from descriptor 3 and writes answers and events to
// descriptor 4, each a JSON text ended by a NUL byte). Every wait has a deadline.
class DevToolsPipe {
 public:
  // Starts chromium with a profile in `profileFolder`, showing about:blank.
  explicit DevToolsPipe(const std::string& profileFolder);
  DevToolsPipe(const DevToolsPipe&) = delete;
  DevToolsPipe& operator=(const DevToolsPipe&) = delete;
  // Closes the browser and waits for it; kills it if it does not end.
  ~DevToolsPipe();

  // Sends a command, to the page of `session` if one is named, and returns its answer, the whole
  // JSON text; empty if none comes within the patience.
  std::string Call(const std::string& method, const std::string& params = "{}",
                   const std::string& session = "");

 private:
  // The next message within the deadline, or false.
  bool NextMessage(std::chrono::steady_clock::time_point deadline, std::string& message);

  pid_t process_ = -1;
  int commands_ = -1;
  int answers_ = -1;
  int nextId_ = 1;
  std::string pending_;
};

}  // namespace swivex::testing
