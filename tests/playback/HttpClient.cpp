#include "tests/playback/HttpClient.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace swivex::testing {

namespace {

constexpr int kPatienceMilliseconds = 15'000;

#ifdef _WIN32
using Native = SOCKET;
const Native kNone = INVALID_SOCKET;
void CloseNative(Native socket) { ::closesocket(socket); }
struct Winsock {
  Winsock() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~Winsock() { ::WSACleanup(); }
};
#else
using Native = int;
const Native kNone = -1;
void CloseNative(Native socket) { ::close(socket); }
#endif

Native NativeOf(std::uintptr_t socket) { return static_cast<Native>(socket); }

// Waits until the socket has something to read (or has closed); false at the deadline.
bool WaitReadable(Native socket, int milliseconds) {
#ifdef _WIN32
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval timeout{milliseconds / 1000, (milliseconds % 1000) * 1000};
  return ::select(0, &readable, nullptr, nullptr, &timeout) > 0;
#else
  pollfd polled{socket, POLLIN, 0};
  return ::poll(&polled, 1, milliseconds) > 0;
#endif
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char byte) { return static_cast<char>(std::tolower(byte)); });
  return text;
}

}  // namespace

std::string HttpResponse::Header(const std::string& name) const {
  const auto found = headers.find(Lower(name));
  return found == headers.end() ? "" : found->second;
}

HttpConnection::HttpConnection(unsigned port) : socket_(static_cast<std::uintptr_t>(kNone)) {
#ifdef _WIN32
  static Winsock winsock;
#endif
  const Native created = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (created == kNone) throw std::runtime_error("cannot make a socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (::connect(created, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    CloseNative(created);
    return;
  }
  socket_ = static_cast<std::uintptr_t>(created);
}

HttpConnection::~HttpConnection() { Close(); }

bool HttpConnection::Connected() const { return NativeOf(socket_) != kNone; }

void HttpConnection::Close() {
  if (!Connected()) return;
  CloseNative(NativeOf(socket_));
  socket_ = static_cast<std::uintptr_t>(kNone);
}

void HttpConnection::Send(const std::string& bytes) {
  std::size_t sent = 0;
  while (Connected() && sent < bytes.size()) {
    const auto moved =
        ::send(NativeOf(socket_), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (moved <= 0) break;
    sent += static_cast<std::size_t>(moved);
  }
}

bool HttpConnection::ReceiveMore() {
  if (!Connected() || !WaitReadable(NativeOf(socket_), kPatienceMilliseconds)) return false;
  char buffer[16 * 1024];
  const auto received = ::recv(NativeOf(socket_), buffer, sizeof buffer, 0);
  if (received <= 0) return false;
  pending_.append(buffer, static_cast<std::size_t>(received));
  return true;
}

HttpResponse HttpConnection::Receive(bool headOnly) {
  HttpResponse response;
  std::size_t end;
  while ((end = pending_.find("\r\n\r\n")) == std::string::npos)
    if (!ReceiveMore()) return response;
  const std::string head = pending_.substr(0, end + 2);
  pending_.erase(0, end + 4);
  response.status = std::stoi(head.substr(9, 3));
  for (std::size_t line = head.find("\r\n") + 2; line < head.size();) {
    const std::size_t lineEnd = head.find("\r\n", line);
    const std::string text = head.substr(line, lineEnd - line);
    const std::size_t colon = text.find(':');
    const std::size_t value = text.find_first_not_of(' ', colon + 1);
    response.headers[Lower(text.substr(0, colon))] =
        value == std::string::npos ? "" : text.substr(value);
    line = lineEnd + 2;
  }
  // A 204 has no body, whatever its headers say.
  if (headOnly || response.status == 204 || response.Header("Content-Type") == "text/event-stream")
    return response;
  const std::string length = response.Header("Content-Length");
  if (length.empty()) {
    while (ReceiveMore()) {
    }
    response.body.swap(pending_);
    return response;
  }
  const std::size_t wanted = std::stoull(length);
  while (pending_.size() < wanted)
    if (!ReceiveMore()) break;
  response.body = pending_.substr(0, wanted);
  pending_.erase(0, std::min(wanted, pending_.size()));
  return response;
}

HttpConnection::Ending HttpConnection::EndingWithin(std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (Connected()) {
    // At least one look, even with no patience left.
    const auto left = std::max<std::chrono::milliseconds::rep>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                 std::chrono::steady_clock::now())
               .count());
    if (!WaitReadable(NativeOf(socket_), static_cast<int>(left))) return Ending::Open;
    char buffer[4096];
    const auto received = ::recv(NativeOf(socket_), buffer, sizeof buffer, 0);
    if (received == 0) return Ending::Closed;
    if (received < 0) return Ending::Reset;
    if (left == 0) return Ending::Open;  // still sending at the deadline
  }
  return Ending::Closed;
}

HttpResponse Request(unsigned port, const std::string& method, const std::string& target,
                     const std::string& headers) {
  HttpConnection connection(port);
  std::string head = method + " " + target + " HTTP/1.1\r\n";
  if (Lower(headers).find("host:") == std::string::npos)
    head += "Host: 127.0.0.1:" + std::to_string(port) + "\r\n";
  connection.Send(head + headers + "Connection: close\r\n\r\n");
  return connection.Receive(method == "HEAD");
}

std::string GetHead(unsigned port, const std::string& target, const std::string& headers) {
  return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n" +
         headers + "\r\n";
}

PageUrl ParsePageUrl(const std::string& address) {
  const std::string prefix = "http://127.0.0.1:";
  if (address.rfind(prefix, 0) != 0) return {};
  const std::size_t slash = address.find('/', prefix.size());
  const std::size_t end = address.find_first_of(" \r\n", slash);
  if (slash == std::string::npos || slash == prefix.size()) return {};
  const std::string digits = address.substr(prefix.size(), slash - prefix.size());
  if (digits.find_first_not_of("0123456789") != std::string::npos) return {};
  return {static_cast<unsigned>(std::stoul(digits)), address.substr(slash, end - slash)};
}

PageUrl QuotedPageUrlIn(const std::string& text) {
  const std::size_t start = text.find("\"http://");
  if (start == std::string::npos) return {};
  return ParsePageUrl(text.substr(start + 1, text.find('"', start + 1) - start - 1));
}

}  // namespace swivex::testing
