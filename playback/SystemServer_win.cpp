// winsock2.h before windows.h, which would bring in the old winsock.h.
#include <windows.h>
#include <winsock2.h>
// ntsecapi.h builds on windows.h.
#include <ntsecapi.h>

#include "playback/SystemServer.h"

namespace swivex {

namespace {

SOCKET SocketOf(Socket socket) { return static_cast<SOCKET>(socket); }

Transfer Failed() {
  return ::WSAGetLastError() == WSAEWOULDBLOCK ? Transfer::WouldBlock : Transfer::Ended;
}

bool MakeNonBlocking(SOCKET socket) {
  u_long nonBlocking = 1;
  return ::ioctlsocket(socket, FIONBIO, &nonBlocking) == 0;
}

// Winsock takes int counts.
int Clamped(std::size_t count) { return count > 0x40000000 ? 0x40000000 : static_cast<int>(count); }

}  // namespace

SystemServer::SystemServer() {
  WSADATA data;
  started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

SystemServer::~SystemServer() {
  if (started_) ::WSACleanup();
}

bool SystemServer::Listen(Socket& listener, unsigned& port) {
  if (!started_) return false;
  const SOCKET created = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (created == INVALID_SOCKET) return false;
  // No other program may bind the same port and take the page's requests.
  BOOL exclusive = TRUE;
  ::setsockopt(created, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
               sizeof exclusive);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof address;
  if (::bind(created, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(created, SOMAXCONN) != 0 ||
      ::getsockname(created, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      !MakeNonBlocking(created)) {
    ::closesocket(created);
    return false;
  }
  // A browser that the program starts must not inherit the listener.
  ::SetHandleInformation(reinterpret_cast<HANDLE>(created), HANDLE_FLAG_INHERIT, 0);
  listener = static_cast<Socket>(created);
  port = ::ntohs(address.sin_port);
  return true;
}

bool SystemServer::Accept(Socket listener, Socket& accepted) {
  const SOCKET socket = ::accept(SocketOf(listener), nullptr, nullptr);
  if (socket == INVALID_SOCKET) return false;
  if (!MakeNonBlocking(socket)) {
    ::closesocket(socket);
    return false;
  }
  ::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
  accepted = static_cast<Socket>(socket);
  return true;
}

Transfer SystemServer::Receive(Socket socket, std::span<char> room, std::size_t& done) {
  done = 0;
  if (room.empty()) return Transfer::Moved;
  const int received = ::recv(SocketOf(socket), room.data(), Clamped(room.size()), 0);
  if (received == 0) return Transfer::Ended;
  if (received == SOCKET_ERROR) return Failed();
  done = static_cast<std::size_t>(received);
  return Transfer::Moved;
}

Transfer SystemServer::Send(Socket socket, std::span<const char> bytes, std::size_t& done) {
  done = 0;
  if (bytes.empty()) return Transfer::Moved;
  const int sent = ::send(SocketOf(socket), bytes.data(), Clamped(bytes.size()), 0);
  if (sent == SOCKET_ERROR) return Failed();
  done = static_cast<std::size_t>(sent);
  return Transfer::Moved;
}

void SystemServer::ShutDown(Socket socket) { ::shutdown(SocketOf(socket), SD_SEND); }

void SystemServer::Close(Socket socket) { ::closesocket(SocketOf(socket)); }

void SystemServer::Wait(std::span<SocketWait> sockets, std::uint32_t milliseconds) {
  static_assert(FD_SETSIZE >= kMostSocketsWaited, "select() must take every socket waited for");
  fd_set readable;
  fd_set writable;
  FD_ZERO(&readable);
  FD_ZERO(&writable);
  for (const SocketWait& wait : sockets) {
    if (wait.wantsToRead) FD_SET(SocketOf(wait.socket), &readable);
    if (wait.wantsToWrite) FD_SET(SocketOf(wait.socket), &writable);
  }
  timeval timeout{static_cast<long>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000};
  const int ready = ::select(0, &readable, &writable, nullptr, &timeout);
  for (SocketWait& wait : sockets) {
    wait.readable = ready > 0 && FD_ISSET(SocketOf(wait.socket), &readable);
    wait.writable = ready > 0 && FD_ISSET(SocketOf(wait.socket), &writable);
  }
}

std::uint64_t SystemServer::NowMilliseconds() { return ::GetTickCount64(); }

bool SystemServer::FillRandom(std::span<unsigned char> bytes) {
  // RtlGenRandom (SystemFunction036 of advapi32): the system's cryptographic random source.
  return RtlGenRandom(bytes.data(), static_cast<ULONG>(bytes.size())) != FALSE;
}

}  // namespace swivex
