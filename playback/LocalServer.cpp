#include "playback/LocalServer.h"

#include <string_view>

namespace swivex {

LocalServer::LocalServer(ServerSystem& system, FileSystem& files)
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
  const bool clientsWaiting = AdvanceReady(milliseconds);
  ServerContext context = ContextNow();
  CloseIdle(context);
  if (clientsWaiting) AcceptWaiting(context);
}

ServerContext LocalServer::ContextNow() {
  return {system_, files_, *content_, streams_, tells_, system_.NowMilliseconds()};
}

bool LocalServer::AdvanceReady(std::uint32_t milliseconds) {
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

  ServerContext context = ContextNow();
  std::size_t index = 1;
  for (Connection& connection : connections_) {
    if (!connection.IsOpen()) continue;
    const SocketWait& wait = waits[index++];
    if (wait.readable || wait.writable) connection.Advance(context);
  }
  return waits[0].readable;
}

void LocalServer::AcceptWaiting(ServerContext& context) {
  Socket accepted = kNoSocket;
  while (system_.Accept(listener_, accepted)) {
    Connection* place = FreePlace(context);
    if (!place || !place->Open(accepted, context.now)) TurnAway(accepted);
  }
}

// When every place is taken, the clients that have closed since the round began give theirs up
// first: their closes reach the server in the same moments as the new clients' connections. Then
// the connection that has waited longest without naming the page's token gives its place up,
// so that no one who does not know the token can hold the page's server.
Connection* LocalServer::FreePlace(ServerContext& context) {
  if (Connection* free = Unused()) return free;
  AdvanceReady(0);
  if (Connection* free = Unused()) return free;
  Connection* longest = nullptr;
  for (Connection& connection : connections_) {
    const std::optional<std::uint64_t> since = connection.WithoutTokenSince();
    if (since && (!longest || *since < *longest->WithoutTokenSince())) longest = &connection;
  }
  if (longest) longest->Close(context);
  return longest;
}

Connection* LocalServer::Unused() {
  for (Connection& connection : connections_)
    if (!connection.IsOpen()) return &connection;
  return nullptr;
}

// A client beyond the most connections is told so in one send and closed: it is not waited for.
// Closing a socket with bytes unread resets it, and a reset can take the 503 with it before the
// client reads it: the socket ends its sending first and drops what the client has sent.
void LocalServer::TurnAway(Socket socket) {
  constexpr std::string_view kBusy =
      "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
  std::size_t done = 0;
  system_.Send(socket, kBusy, done);
  system_.ShutDown(socket);
  char dropped[1024];
  for (std::size_t read = 0; read < kMostRequestHead; read += done)
    if (system_.Receive(socket, dropped, done) != Transfer::Moved || done == 0) break;
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
