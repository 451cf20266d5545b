#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>

#include "player-stub/EmbeddedMovie.h"
#include "player-stub/StubFileAccess.h"
#include "player-stub/StubSystem.h"
#include "player-stub/StubText.h"
#include "player-stub/server/GzipInflater.h"
#include "player-stub/server/HttpRequest.h"
#include "player-stub/server/PageRoutes.h"
#include "player-stub/server/ResponseHead.h"
#include "player-stub/server/ServerSystem.h"
#include "winsupport/UniqueHandle.h"

namespace swivex {

// A connection that waits this long for its next request, or for room to send, is closed. The
// page's held stream waits as long as the page lives.
inline constexpr std::uint64_t kIdleMilliseconds = 30'000;

// What the server serves, fixed while it runs.
struct ServedContent {
  PageAddress address;
  std::string_view page;
  OpenStubFile projector;  // the projector's own file, open to read
  MovieLocation movie;
  const char* folder = "";  // the projector's folder, ending in its separator
};

// The page's held streams: how many are open, whether one ever was, when the last one closed.
struct StreamCount {
  std::size_t open = 0;
  bool everOpened = false;
  std::uint64_t lastClosedAt = 0;
};

// Everything a connection works with besides its own state.
struct ServerContext {
  ServerSystem& system;
  StubSystem& files;
  const ServedContent& content;
  StreamCount& streams;
  std::uint64_t now = 0;
};

// One client connection: it reads a request head, sends the response, and then reads the next
// request, until the client or the server closes it. Non-blocking throughout: each call does
// what can be done now and returns.
class Connection {
 public:
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() = default;

  // False if there is no memory for the connection's buffers; the socket is then not taken.
  bool Open(Socket socket, std::uint64_t now);
  bool IsOpen() const { return socket_ != kNoSocket; }
  Socket SocketOf() const { return socket_; }
  bool WantsToRead() const { return state_ == State::Reading || state_ == State::Holding; }
  bool WantsToWrite() const { return state_ == State::Sending; }
  // The moment it is closed unless something happens first; none for a held stream.
  std::optional<std::uint64_t> Deadline() const;

  void OnReadable(ServerContext& context);
  void OnWritable(ServerContext& context);
  void Close(ServerContext& context);

 private:
  enum class State { Closed, Reading, Sending, Holding };
  enum class Body { None, Memory, File, Inflated, Held };

  // The room for pieces of files: four pieces a round keeps one download from holding up the
  // other connections.
  static constexpr std::size_t kPiece = 16 * 1024;
  static constexpr int kPiecesPerRound = 4;

  void ReadRequest(ServerContext& context);
  void Answer(ServerContext& context, const HttpRequest& request);
  void AnswerStatus(ServerContext& context, int status, bool close, bool headOnly);
  void AnswerFile(ServerContext& context, const HttpRequest& request, OpenStubFile file,
                  std::uint64_t offset, std::uint64_t size, const char* contentType);
  void AnswerBesideFile(ServerContext& context, const HttpRequest& request, const ServedPath& path);
  void AnswerPlayerFile(ServerContext& context, const HttpRequest& request, const PlayerFile& file);
  void StartResponse(ServerContext& context, const ResponseHead& head, Body body, bool close,
                     bool headOnly);
  bool NextPiece(ServerContext& context);
  void Finish(ServerContext& context);

  // The room for a request head and for a piece of a file: taken while the connection is open,
  // so that the server's table of connections fits on the stack.
  struct Buffers {
    char received[kMostRequestHead];
    char piece[kPiece];
  };
  struct BuffersTraits {
    using Handle = Buffers*;
    static Handle Empty() noexcept { return nullptr; }
    static void Release(Handle buffers) noexcept { std::free(buffers); }
  };

  Socket socket_ = kNoSocket;
  State state_ = State::Closed;
  std::uint64_t deadline_ = 0;
  win::UniqueHandle<BuffersTraits> buffers_;
  std::size_t receivedLength_ = 0;
  std::size_t answeredLength_ = 0;  // the head of the request being answered
  bool closeAfter_ = false;

  StubText head_;
  std::span<const char> pending_;  // what is still to be sent of the current piece
  Body body_ = Body::None;
  std::span<const char> memory_;
  UniqueStubFile ownFile_;  // a file beside the projector, owned while it is sent
  OpenStubFile file_;
  std::uint64_t fileOffset_ = 0;
  std::uint64_t bodyLeft_ = 0;
  std::optional<GzipInflater> inflater_;
};

}  // namespace swivex
