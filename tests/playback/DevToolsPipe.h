#pragma once

#include <sys/types.h>

#include <chrono>
#include <deque>
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

  // The first event `method` whose text holds `part` that has not been taken, waiting for one up
  // to `patience`; empty if none comes. Events come only from the domains a page has enabled
  // ("Network.enable").
  std::string TakeEvent(const std::string& method, const std::string& part,
                        std::chrono::milliseconds patience);

  // A new window of `width` x `height` pixels at a scale of 1 showing `url`, with its network's
  // events; its session, or empty.
  std::string OpenTab(const std::string& url, int width, int height);
  // The value of a script's result in the page of `session`, as text (String(result)); empty if
  // it could not be run.
  std::string Evaluate(const std::string& expression, const std::string& session);
  // The colour of the pixel at (x, y) of the page of `session`, as 0xRRGGBB; -1 if there is no
  // picture.
  long PixelAt(const std::string& session, int x, int y);

 private:
  // The next message within the deadline, or false.
  bool NextMessage(std::chrono::steady_clock::time_point deadline, std::string& message);

  pid_t process_ = -1;
  int commands_ = -1;
  int answers_ = -1;
  int nextId_ = 1;
  std::string pending_;
  std::deque<std::string> events_;  // received while an answer was awaited, not taken yet
};

}  // namespace swivex::testing
