#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>

namespace swivex::testing {

struct HttpResponse {
  int status = 0;                              // 0: the connection closed before a response
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;

  // The header's value; empty when the response has none.
  std::string Header(const std::string& name) const;
};

// A client connection to the page's server on 127.0.0.1, as a browser opens one. Every wait has
// a deadline, so that a server that does not answer fails the test instead of hanging it.
class HttpConnection {
 public:
  explicit HttpConnection(unsigned port);
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;
  ~HttpConnection();

  bool Connected() const;
  void Send(const std::string& bytes);
  // The next response. Without a Content-Length its body runs to the end of the connection,
  // except for an event stream and a 204, which return after their heads.
  HttpResponse Receive(bool headOnly = false);
  // How the server ends the connection within `patience`, dropping anything it sends: Open if
  // it has not, Closed after the end of what it sent, Reset when the connection was reset.
  enum class Ending { Open, Closed, Reset };
  Ending EndingWithin(std::chrono::milliseconds patience);
  // Whether the server closes (or resets) the connection within `patience`.
  bool ClosedWithin(std::chrono::milliseconds patience) {
    return EndingWithin(patience) != Ending::Open;
  }
  void Close();

 private:
  // Appends what arrives within the deadline to `pending_`; false at the end or the deadline.
  bool ReceiveMore();

  std::uintptr_t socket_;
  std::string pending_;
};

// A GET request's head for `target`, with the Host header of the server's address.
std::string GetHead(unsigned port, const std::string& target, const std::string& headers = "");

// A page's address as a projector hands it to the browser, "http://127.0.0.1:PORT/TOKEN/":
// the port and the path of the page ("/TOKEN/"); port 0 when it is not such an address.
struct PageUrl {
  unsigned port = 0;
  std::string base;
};
PageUrl ParsePageUrl(const std::string& address);
// The first such address in quotes in `text` (a page that forwards to it); port 0 if none.
PageUrl QuotedPageUrlIn(const std::string& text);

// One request on a connection of its own, with the Host header of the server's address unless
// `headers` names one.
HttpResponse Request(unsigned port, const std::string& method, const std::string& target,
                     const std::string& headers = "");

}  // namespace swivex::testing
