#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <variant>

#include "playback/BoundedText.h"
#include "playback/FileSystem.h"
#include "playback/HttpRequest.h"
#include "playback/Response.h"
#include "playback/ServerSystem.h"
#include "winsupport/UniqueHandle.h"

namespace swivex {

// A connection that waits this long for its next request, or for room to send, is closed. The
// page's held stream waits as long as the page lives.
inline constexpr std::uint64_t kIdleMilliseconds = 30'000;

// The page's held streams: how many are open, whether one ever was, when the last one closed.
struct StreamCount {
  std::size_t open = 0;
  bool everOpened = false;
  std::uint64_t lastClosedAt = 0;
};

// Everything a connection works with besides its own state.
struct ServerContext {
  ServerSystem& system;
  FileSystem& files;
  const ServedContent& content;
  StreamCount& streams;
  PageTells& tells;
  std::uint64_t now = 0;
};

// One client connection: it reads a request head, sends the response, and then reads the next
// request, until the client or the server closes it. Non-blocking throughout: each call does
// what can be done now and returns.
//
// It is in one state at a time, which holds that state's data. Advance runs the handler of the
// current state, which does its part and names the state that follows, until one has to wait for
// the socket:
//
//   Reading --bytes--> Parsing --part of a head--> Reading
//                         |--whole head, or one that cannot be read--> Sending
//   Sending --sent--> Parsing (the next request has arrived) | Reading | Holding (the stream)
//   any of them --end, failure, "close"--> Closed
class Connection {
 public:
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() = default;

  // False if there is no memory for the connection's buffers; the socket is then not taken.
  bool Open(Socket socket, std::uint64_t now);
  bool IsOpen() const { return !std::holds_alternative<Closed>(state_); }
  Socket SocketOf() const { return socket_; }
  bool WantsToRead() const {
    return std::holds_alternative<Reading>(state_) || std::holds_alternative<Holding>(state_);
  }
  bool WantsToWrite() const { return std::holds_alternative<Sending>(state_); }
  // The moment it is closed unless something happens first; none for a held stream.
  std::optional<std::uint64_t> Deadline() const;
  // Since when it has been open without a whole request that names the page's token; none once
  // one has. Such a connection can be anyone's, and gives its place up first.
  std::optional<std::uint64_t> WithoutTokenSince() const { return withoutTokenSince_; }

  // Does what the socket lets it do now: reads, answers and sends.
  void Advance(ServerContext& context);
  void Close(ServerContext& context);

 private:
  // The room for pieces of files: four pieces a turn keeps one download from holding up the
  // other connections.
  static constexpr std::size_t kPiece = 16 * 1024;
  static constexpr int kPiecesPerTurn = 4;

  struct Closed {};
  // Waiting for more of a request head: `received` bytes are in the buffer. A head that takes
  // longer than the idle time to arrive is closed with the connection: the deadline is not moved
  // by each byte of it.
  struct Reading {
    std::size_t received = 0;
    std::uint64_t deadline = 0;
  };
  // The buffer's `received` bytes may hold a whole request head.
  struct Parsing {
    std::size_t received = 0;
    std::uint64_t deadline = 0;
  };
  // A response on its way: `pending` is what is left of its head or of the body's current piece.
  // The buffer's first `answered` bytes are the request it answers, the rest up to `received`
  // the start of the next one.
  struct Sending {
    std::span<const char> pending;
    ResponseBody body;
    bool closeAfter = false;
    std::size_t answered = 0;
    std::size_t received = 0;
    std::uint64_t deadline = 0;
  };
  // The page's event stream, open for as long as the page lives.
  struct Holding {};
  using State = std::variant<Closed, Reading, Parsing, Sending, Holding>;
  // The state that a handler goes on to; none while it waits for the socket.
  using Step = std::optional<State>;

  enum class Piece { Ready, End, Failed };

  Step ReadHead(ServerContext& context, const Reading& reading);
  Step ParseHead(ServerContext& context, const Parsing& parsing);
  Step SendResponse(ServerContext& context, Sending& sending, int& pieces);
  Step HoldStream(ServerContext& context);

  Step Respond(ServerContext& context, const HttpRequest& request, std::size_t received,
               Response response);
  Piece NextPiece(ServerContext& context, Sending& sending);
  Step AfterResponse(ServerContext& context, const Sending& sending);
  bool HoldsStream() const;

  // The room for a request head, a response head and a piece of a file: taken while the
  // connection is open, so that the server's table of connections stays small.
  struct Buffers {
    char received[kMostRequestHead];
    char piece[kPiece];
    BoundedText head;
  };
  struct BuffersTraits {
    using Handle = Buffers*;
    static Handle Empty() noexcept { return nullptr; }
    static void Release(Handle buffers) noexcept {
      buffers->~Buffers();
      std::free(buffers);
    }
  };

  Socket socket_ = kNoSocket;
  State state_;
  win::UniqueHandle<BuffersTraits> buffers_;
  std::optional<std::uint64_t> withoutTokenSince_;
};

}  // namespace swivex
