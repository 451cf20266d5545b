#pragma once

#include <cstddef>
#include <string_view>

namespace swivex {

// The most bytes a request head may take, its closing blank line included. Browsers send a few
// hundred; a longer head is answered 431 and the connection closed.
inline constexpr std::size_t kMostRequestHead = 8 * 1024;

enum class HeadParse {
  Incomplete,  // no blank line yet: more bytes may complete the head
  Complete,
  TooLarge,  // kMostRequestHead bytes without the end of the head
  Malformed,
};

enum class Method { Get, Head, Other };

// What the server needs of a request head. The views point into the bytes that were parsed.
struct HttpRequest {
  Method method = Method::Other;
  std::string_view target;  // as sent: "/token/name.swf?x"
  std::string_view host;    // empty when the head has no Host header
  std::string_view range;   // the Range header's value; empty when there is none
  bool hasIfRange = false;
  bool acceptsGzip = false;
  // HTTP/1.1 unless "Connection: close"; HTTP/1.0 only with "Connection: keep-alive".
  bool keepAlive = false;
  // A body follows the head (Content-Length other than 0, or Transfer-Encoding).
  bool hasBody = false;
  std::size_t headLength = 0;  // bytes of the head, its closing blank line included
};

// Reads the request head at the start of `received`, which may also hold the start of the next
// request. Lines end in CR LF; a header repeated that must not be (Host), a folded line, a space
// before a header's colon or a version other than HTTP/1.0 and 1.1 make the head Malformed.
HeadParse ParseRequestHead(std::string_view received, HttpRequest& request);

}  // namespace swivex
