#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <array>

#include "playback/SystemServer.h"

namespace swivex {

namespace {

int DescriptorOf(Socket socket) { return static_cast<int>(socket); }

Transfer Failed() {
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? Transfer::WouldBlock
                                                                   : Transfer::Ended;
}

}  // namespace

SystemServer::SystemServer() = default;
SystemServer::~SystemServer() = default;

bool SystemServer::Listen(Socket& listener, unsigned& port) {
  const int descriptor = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (descriptor < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(descriptor, SOMAXCONN) != 0 ||
      getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(descriptor);
    return false;
  }
  listener = static_cast<Socket>(descriptor);
  port = ntohs(address.sin_port);
  return true;
}

bool SystemServer::Accept(Socket listener, Socket& accepted) {
  const int descriptor =
      accept4(DescriptorOf(listener), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (descriptor < 0) return false;
  accepted = static_cast<Socket>(descriptor);
  return true;
}

Transfer SystemServer::Receive(Socket socket, std::span<char> room, std::size_t& done) {
  done = 0;
  if (room.empty()) return Transfer::Moved;
  const ssize_t received = recv(DescriptorOf(socket), room.data(), room.size(), 0);
  if (received == 0) return Transfer::Ended;
  if (received < 0) return Failed();
  done = static_cast<std::size_t>(received);
  return Transfer::Moved;
}

Transfer SystemServer::Send(Socket socket, std::span<const char> bytes, std::size_t& done) {
  done = 0;
  if (bytes.empty()) return Transfer::Moved;
  // MSG_NOSIGNAL: a client that has gone is an ended transfer, not a SIGPIPE.
  const ssize_t sent = send(DescriptorOf(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
  if (sent < 0) return Failed();
  done = static_cast<std::size_t>(sent);
  return Transfer::Moved;
}

void SystemServer::ShutDown(Socket socket) { shutdown(DescriptorOf(socket), SHUT_WR); }

void SystemServer::Close(Socket socket) { close(DescriptorOf(socket)); }

void SystemServer::Wait(std::span<SocketWait> sockets, std::uint32_t milliseconds) {
  std::array<pollfd, kMostSocketsWaited> polled{};
  const std::size_t count = sockets.size() < polled.size() ? sockets.size() : polled.size();
  for (std::size_t index = 0; index < count; ++index) {
    polled[index].fd = DescriptorOf(sockets[index].socket);
    polled[index].events = static_cast<short>((sockets[index].wantsToRead ? POLLIN : 0) |
                                              (sockets[index].wantsToWrite ? POLLOUT : 0));
  }
  const int ready = poll(polled.data(), count, static_cast<int>(milliseconds));
  for (std::size_t index = 0; index < count; ++index) {
    const short found = ready > 0 ? polled[index].revents : 0;
    sockets[index].readable = (found & (POLLIN | POLLHUP | POLLERR)) != 0;
    sockets[index].writable = (found & (POLLOUT | POLLERR)) != 0;
  }
}

std::uint64_t SystemServer::NowMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000 +
         static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000;
}

bool SystemServer::FillRandom(std::span<unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t filled = getrandom(bytes.data(), bytes.size(), 0);
    if (filled < 0 && errno == EINTR) continue;
    if (filled <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(filled));
  }
  return true;
}

}  // namespace swivex
