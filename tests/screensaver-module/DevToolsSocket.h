#pragma once

#include <winsock2.h>

#include <chrono>
#include <string>

namespace swivex::glowdrift::testing {

// A browser's DevTools protocol over a WebSocket on 127.0.0.1 (chromium's
// --remote-debugging-port), from a Windows program: Wine's sockets reach a Linux chromium
// directly. The counterpart of DevToolsPipe, which starts chromium itself; this one talks to a
// chromium that someone else started. Every wait has a deadline.
class DevToolsSocket {
 public:
  // Connects to the endpoint `path` ("/devtools/browser/ID") and opens the WebSocket; throws a
  // runtime error if either fails.
  DevToolsSocket(unsigned port, const std::string& path);
  DevToolsSocket(const DevToolsSocket&) = delete;
  DevToolsSocket& operator=(const DevToolsSocket&) = delete;
  ~DevToolsSocket();

  // Sends a command, to the page of `session` if one is named, and returns its answer, the whole
  // JSON text; empty if none comes within the patience (or the connection has gone).
  std::string Call(const std::string& method, const std::string& params = "{}",
                   const std::string& session = "");

 private:
  void Close();
  void SendText(const std::string& text);
  // The next whole message (the frames of a fragmented one joined) within the deadline.
  bool NextMessage(std::chrono::steady_clock::time_point deadline, std::string& message);
  // Appends what arrives within the deadline to `pending_`; false at the end or the deadline.
  bool ReceiveMore(std::chrono::steady_clock::time_point deadline);

  SOCKET socket_ = INVALID_SOCKET;
  std::string pending_;
  int nextId_ = 1;
};

}  // namespace swivex::glowdrift::testing
