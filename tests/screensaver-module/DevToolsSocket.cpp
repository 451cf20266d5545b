#include "tests/screensaver-module/DevToolsSocket.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "tests/playback/DevToolsText.h"

namespace swivex::glowdrift::testing {

namespace {

using Clock = std::chrono::steady_clock;

// Starting a page or taking a screenshot of a big one can take seconds on a busy machine.
constexpr std::chrono::seconds kPatience{60};

// Opcodes of RFC 6455.
constexpr unsigned kContinuation = 0x0;
constexpr unsigned kText = 0x1;
constexpr unsigned kClose = 0x8;

std::uint64_t BigEndian(const std::string& bytes, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t index = 0; index < count; ++index)
    value = value << 8 | static_cast<unsigned char>(bytes[at + index]);
  return value;
}

// One frame from the front of `pending`, if all of it has arrived: its opcode, whether it ends
// its message, and its payload (a server masks nothing, but the mask is honoured all the same).
struct Frame {
  unsigned opcode = 0;
  bool last = false;
  std::string payload;
};
bool TakeFrame(std::string& pending, Frame& frame) {
  if (pending.size() < 2) return false;
  const auto first = static_cast<unsigned char>(pending[0]);
  const auto second = static_cast<unsigned char>(pending[1]);
  std::size_t at = 2;
  std::uint64_t length = second & 0x7F;
  if (length == 126 || length == 127) {
    const std::size_t bytes = length == 126 ? 2 : 8;
    if (pending.size() < at + bytes) return false;
    length = BigEndian(pending, at, bytes);
    at += bytes;
  }
  const bool masked = (second & 0x80) != 0;
  const std::size_t mask = at;
  if (masked) at += 4;
  if (pending.size() < at + length) return false;
  frame.opcode = first & 0x0F;
  frame.last = (first & 0x80) != 0;
  frame.payload = pending.substr(at, static_cast<std::size_t>(length));
  if (masked) {
    for (std::size_t index = 0; index < frame.payload.size(); ++index)
      frame.payload[index] = static_cast<char>(frame.payload[index] ^ pending[mask + index % 4]);
  }
  pending.erase(0, at + static_cast<std::size_t>(length));
  return true;
}

}  // namespace

DevToolsSocket::DevToolsSocket(unsigned port, const std::string& path) {
  static const struct Winsock {
    Winsock() {
      WSADATA data;
      ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Winsock() { ::WSACleanup(); }
  } winsock;
  socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (socket_ == INVALID_SOCKET ||
      ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    const int error = ::WSAGetLastError();
    Close();
    throw std::runtime_error("cannot connect to DevTools on port " + std::to_string(port) +
                             ", error " + std::to_string(error));
  }
  // Any key will do: the browser only proves with it that it speaks WebSocket.
  const std::string upgrade = "GET " + path +
                              " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                              "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                              "Sec-WebSocket-Key: c3dpdmV4LWRldnRvb2xzIQ==\r\n"
                              "Sec-WebSocket-Version: 13\r\n\r\n";
  ::send(socket_, upgrade.data(), static_cast<int>(upgrade.size()), 0);
  const auto deadline = Clock::now() + kPatience;
  std::size_t end;
  while ((end = pending_.find("\r\n\r\n")) == std::string::npos && ReceiveMore(deadline)) {
  }
  if (end == std::string::npos || pending_.compare(0, 13, "HTTP/1.1 101 ") != 0) {
    const std::string answer = pending_.substr(0, pending_.find("\r\n"));
    Close();
    throw std::runtime_error("DevTools did not open " + path + ": " + answer);
  }
  pending_.erase(0, end + 4);
}

DevToolsSocket::~DevToolsSocket() { Close(); }

void DevToolsSocket::Close() {
  if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

std::string DevToolsSocket::Call(const std::string& method, const std::string& params,
                                 const std::string& session) {
  const int id = nextId_++;
  const std::string command = swivex::testing::CommandText(id, method, params, session);
  SendText(command);
  const std::string answer = "{\"id\":" + std::to_string(id) + ",";
  const auto deadline = Clock::now() + kPatience;
  std::string message;
  while (NextMessage(deadline, message))
    if (message.starts_with(answer)) return message;
  return "";
}

void DevToolsSocket::SendText(const std::string& text) {
  // A client masks every frame (RFC 6455, 5.3).
  const unsigned char mask[4] = {0x5A, 0xC3, 0x96, 0x0F};
  std::string frame(1, static_cast<char>(0x80 | kText));
  if (text.size() < 126) {
    frame += static_cast<char>(0x80 | text.size());
  } else if (text.size() <= 0xFFFF) {
    frame += static_cast<char>(0x80 | 126);
    for (int shift = 8; shift >= 0; shift -= 8) frame += static_cast<char>(text.size() >> shift);
  } else {
    frame += static_cast<char>(0x80 | 127);
    for (int shift = 56; shift >= 0; shift -= 8)
      frame += static_cast<char>(static_cast<std::uint64_t>(text.size()) >> shift);
  }
  frame.append(reinterpret_cast<const char*>(mask), sizeof mask);
  for (std::size_t index = 0; index < text.size(); ++index)
    frame += static_cast<char>(text[index] ^ mask[index % 4]);
  for (std::size_t sent = 0; sent < frame.size();) {
    const int moved =
        ::send(socket_, frame.data() + sent, static_cast<int>(frame.size() - sent), 0);
    if (moved <= 0) return;
    sent += static_cast<std::size_t>(moved);
  }
}

bool DevToolsSocket::NextMessage(Clock::time_point deadline, std::string& message) {
  message.clear();
  for (;;) {
    Frame frame;
    while (!TakeFrame(pending_, frame))
      if (!ReceiveMore(deadline)) return false;
    if (frame.opcode == kClose) return false;
    if (frame.opcode != kText && frame.opcode != kContinuation) continue;  // ping, pong
    message += frame.payload;
    if (frame.last) return true;
  }
}

bool DevToolsSocket::ReceiveMore(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket_, &readable);
  const long wait = static_cast<long>(std::max<long long>(left, 0));
  timeval timeout{wait / 1000, (wait % 1000) * 1000};
  if (::select(0, &readable, nullptr, nullptr, &timeout) <= 0) return false;
  char buffer[64 * 1024];
  const int received = ::recv(socket_, buffer, sizeof buffer, 0);
  if (received <= 0) return false;
  pending_.append(buffer, static_cast<std::size_t>(received));
  return true;
}

}  // namespace swivex::glowdrift::testing
