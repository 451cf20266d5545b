#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "playback/Connection.h"
#include "playback/FileSystem.h"
#include "playback/ServerSystem.h"

namespace swivex {

// The most connections served at once. When all are taken, one that has not named the page's
// token gives its place to the next client; when every one has, the next is told 503 and closed.
inline constexpr std::size_t kMostConnections = 32;
static_assert(kMostConnections + 1 <= kMostSocketsWaited);

// The page's server: it listens on 127.0.0.1 and serves the page, the player's files, the movie
// and the files beside the projector, if it has them, one round of work at a time on the calling
// thread, and keeps what the page tells. Too large for the stack: it lives in static storage or
// on the heap.
class LocalServer {
 public:
  LocalServer(ServerSystem& system, FileSystem& files);
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;
  // Closes the listener and every connection.
  ~LocalServer();

  // Starts listening at a port that the system chooses. False if it cannot.
  bool Listen(unsigned& port);
  // What is served from now on; `content` must outlive the server's rounds.
  void Serve(const ServedContent& content) { content_ = &content; }

  // Waits up to `milliseconds` for a client, then does what can be done without waiting:
  // accepts, reads, answers, sends, and closes connections left idle.
  void Round(std::uint32_t milliseconds);

  const StreamCount& Streams() const { return streams_; }
  // What the page has told since the last call.
  PageTells TakeTells() { return std::exchange(tells_, PageTells()); }
  std::size_t OpenConnections() const;

 private:
  ServerContext ContextNow();
  // Waits up to `milliseconds` for the connections and the listener, and advances each
  // connection that is ready. True when clients wait to be accepted.
  bool AdvanceReady(std::uint32_t milliseconds);
  void AcceptWaiting(ServerContext& context);
  // A place for a new connection; none when every one is taken by a connection that has named
  // the page's token.
  Connection* FreePlace(ServerContext& context);
  Connection* Unused();
  void TurnAway(Socket socket);
  void CloseIdle(ServerContext& context);

  ServerSystem& system_;
  FileSystem& files_;
  const ServedContent* content_ = nullptr;
  Socket listener_ = kNoSocket;
  StreamCount streams_;
  PageTells tells_;
  std::array<Connection, kMostConnections> connections_;
};

}  // namespace swivex
