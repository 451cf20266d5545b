#pragma once

#include "playback/ServerSystem.h"

namespace swivex {

// The server's system calls on the system the program runs on: Winsock on Windows (started and
// cleaned up with the object), BSD sockets and poll() elsewhere.
class SystemServer final : public ServerSystem {
 public:
  SystemServer();
  SystemServer(const SystemServer&) = delete;
  SystemServer& operator=(const SystemServer&) = delete;
  ~SystemServer();

  bool Listen(Socket& listener, unsigned& port) override;
  bool Accept(Socket listener, Socket& accepted) override;
  Transfer Receive(Socket socket, std::span<char> room, std::size_t& done) override;
  Transfer Send(Socket socket, std::span<const char> bytes, std::size_t& done) override;
  void ShutDown(Socket socket) override;
  void Close(Socket socket) override;
  void Wait(std::span<SocketWait> sockets, std::uint32_t milliseconds) override;
  std::uint64_t NowMilliseconds() override;
  bool FillRandom(std::span<unsigned char> bytes) override;

 private:
  bool started_ = false;
};

}  // namespace swivex
