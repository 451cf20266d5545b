#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace swivex {

// A socket of a ServerSystem. kNoSocket is never a socket.
using Socket = std::uintptr_t;
inline constexpr Socket kNoSocket = ~Socket{0};

// How a transfer on a non-blocking socket went.
enum class Transfer {
  Moved,       // some bytes moved (`done` says how many), or none when none were asked for
  WouldBlock,  // nothing to read, or no room to send, for now
  Ended,       // the peer closed the connection, or it failed
};

// A socket to wait for, and what it is waited for. Wait fills in what it found.
struct SocketWait {
  Socket socket = kNoSocket;
  bool wantsToRead = false;
  bool wantsToWrite = false;
  bool readable = false;  // also set when the peer has closed or the socket failed
  bool writable = false;
};

// The most sockets that one Wait takes.
inline constexpr std::size_t kMostSocketsWaited = 64;

// Every system call of the page's server: sockets on the loopback address, a clock and the
// system's random source. One for Windows (Winsock) and one for POSIX systems; both translate
// calls and decide nothing. Sockets are non-blocking.
class ServerSystem {
 public:
  // Listens on 127.0.0.1 at a port that the system chooses.
  virtual bool Listen(Socket& listener, unsigned& port) = 0;
  // False when no connection is waiting (or accepting it failed).
  virtual bool Accept(Socket listener, Socket& accepted) = 0;
  virtual Transfer Receive(Socket socket, std::span<char> room, std::size_t& done) = 0;
  virtual Transfer Send(Socket socket, std::span<const char> bytes, std::size_t& done) = 0;
  // Ends what is sent: the peer reads everything sent before it, then the end of the stream.
  virtual void ShutDown(Socket socket) = 0;
  virtual void Close(Socket socket) = 0;
  // Waits until one of the sockets is ready or `milliseconds` have passed.
  virtual void Wait(std::span<SocketWait> sockets, std::uint32_t milliseconds) = 0;
  // Milliseconds on a clock that only goes forward.
  virtual std::uint64_t NowMilliseconds() = 0;
  // Bytes from the system's source of cryptographic randomness.
  virtual bool FillRandom(std::span<unsigned char> bytes) = 0;

 protected:
  ~ServerSystem() = default;
};

}  // namespace swivex
