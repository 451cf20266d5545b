#include "player-stub/server/LocalServer.h"

#include <string_view>

namespace swivex {

LocalServer::LocalServer(ServerSystem& system, StubSystem& files)
    : system_(system), files_(files) {}

LocalServer::~LocalServer() {
  if (listener_ != kNoSocket) system_.Close(listener_);
  for (Connection& connection : connections_)
    if (connection.IsOpen()) system_.Close(connection.SocketOf());
}

bool LocalServer::Listen(unsigned& port) { return system_.Listen(listener_, port); }

std::size_t LocalServer::OpenConnections() const {
  std::size_t open = 0;
  for (const Connection& connection : connections_) open += connection.IsOpen() ? 1 : 0;
  return open;
}

void LocalServer::Round(std::uint32_t milliseconds) {
  std::array<SocketWait, kMostConnections + 1> waits;
  waits[0] = {.socket = listener_, .wantsToRead = true};
  std::size_t count = 1;
  for (Connection& connection : connections_) {
    if (!connection.IsOpen()) continue;
    waits[count++] = {.socket = connection.SocketOf(),
                      .wantsToRead = connection.WantsToRead(),
                      .wantsToWrite = connection.WantsToWrite()};
  }
  system_.Wait({waits.data(), count}, milliseconds);

  ServerContext context{system_, files_, *content_, streams_, system_.NowMilliseconds()};
  std::size_t index = 1;
  for (Connection& connection : connections_) {
    if (!connection.IsOpen()) continue;
    const SocketWait& wait = waits[index++];
    if (wait.readable || wait.writable) connection.Advance(context);
  }
  if (waits[0].readable) AcceptWaiting(context);
  CloseIdle(context);
}

void LocalServer::AcceptWaiting(ServerContext& context) {
  Socket accepted = kNoSocket;
  while (system_.Accept(listener_, accepted)) {
    Connection* free = nullptr;
    for (Connection& connection : connections_)
      if (!connection.IsOpen() && !free) free = &connection;
    if (!free || !free->Open(accepted, context.now)) TurnAway(accepted);
  }
}

// A client beyond the most connections is told so in one send and closed: it is not waited for.
void LocalServer::TurnAway(Socket socket) {
  constexpr std::string_view kBusy =
      "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
  std::size_t done = 0;
  system_.Send(socket, kBusy, done);
  system_.Close(socket);
}

void LocalServer::CloseIdle(ServerContext& context) {
  for (Connection& connection : connections_) {
    if (!connection.IsOpen()) continue;
    const std::optional<std::uint64_t> deadline = connection.Deadline();
    if (deadline && context.now >= *deadline) connection.Close(context);
  }
}

}  // namespace swivex
