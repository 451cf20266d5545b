#include "playback/HttpRequest.h"

#include "playback/HttpText.h"

namespace swivex {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeadEnd = "\r\n\r\n";

Method MethodNamed(std::string_view name) {
  if (name == "GET") return Method::Get;
  if (name == "HEAD") return Method::Head;
  return Method::Other;
}

bool IsTargetByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value > 0x20 && value < 0x7F;
}

// "GET /token/ HTTP/1.1"
bool ParseRequestLine(std::string_view line, HttpRequest& request, bool& http11) {
  const std::size_t firstSpace = line.find(' ');
  const std::size_t lastSpace = line.rfind(' ');
  if (firstSpace == std::string_view::npos || firstSpace == lastSpace) return false;
  const std::string_view method = line.substr(0, firstSpace);
  const std::string_view target = line.substr(firstSpace + 1, lastSpace - firstSpace - 1);
  const std::string_view version = line.substr(lastSpace + 1);
  if (!IsHttpToken(method) || target.empty()) return false;
  for (char byte : target)
    if (!IsTargetByte(byte)) return false;
  if (version == "HTTP/1.1") {
    http11 = true;
  } else if (version != "HTTP/1.0") {
    return false;
  }
  request.method = MethodNamed(method);
  request.target = target;
  return true;
}

// Whether an Accept-Encoding value lets the response be gzip: "gzip", "x-gzip" or "*", without
// a weight of zero.
bool AcceptsGzip(std::string_view value) {
  bool gzip = false;
  bool anyCoding = false;
  bool gzipRefused = false;
  ForEachListItem(value, [&](std::string_view item) {
    std::string_view coding = item.substr(0, item.find(';'));
    coding = TrimHttpSpace(coding);
    const bool wanted = !HasZeroWeight(item);
    if (EqualsIgnoringCase(coding, "gzip") || EqualsIgnoringCase(coding, "x-gzip")) {
      gzip = gzip || wanted;
      gzipRefused = gzipRefused || !wanted;
    } else if (coding == "*") {
      anyCoding = wanted;
    }
  });
  return gzip || (anyCoding && !gzipRefused);
}

bool ListHas(std::string_view value, std::string_view token) {
  bool found = false;
  ForEachListItem(value, [&](std::string_view item) {
    found = found || EqualsIgnoringCase(TrimHttpSpace(item), token);
  });
  return found;
}

struct HeaderState {
  bool http11 = false;
  bool sawHost = false;
  bool close = false;
  bool keepAlive = false;
};

bool TakeHeader(std::string_view line, HttpRequest& request, HeaderState& state) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view name = line.substr(0, colon);
  // A name must not end in white space, and a line that starts with it folds the previous one;
  // both are ways to smuggle a header past one reader and not another.
  if (!IsHttpToken(name)) return false;
  const std::string_view value = TrimHttpSpace(line.substr(colon + 1));
  for (char byte : value)
    if (static_cast<unsigned char>(byte) < 0x20 && byte != '\t') return false;
  if (EqualsIgnoringCase(name, "Host")) {
    if (state.sawHost) return false;
    state.sawHost = true;
    request.host = value;
  } else if (EqualsIgnoringCase(name, "Range")) {
    request.range = value;
  } else if (EqualsIgnoringCase(name, "If-Range")) {
    request.hasIfRange = true;
  } else if (EqualsIgnoringCase(name, "Accept-Encoding")) {
    request.acceptsGzip = AcceptsGzip(value);
  } else if (EqualsIgnoringCase(name, "Connection")) {
    state.close = state.close || ListHas(value, "close");
    state.keepAlive = state.keepAlive || ListHas(value, "keep-alive");
  } else if (EqualsIgnoringCase(name, "Content-Length")) {
    request.hasBody = request.hasBody || value != "0";
  } else if (EqualsIgnoringCase(name, "Transfer-Encoding")) {
    request.hasBody = true;
  }
  return true;
}

}  // namespace

HeadParse ParseRequestHead(std::string_view received, HttpRequest& request) {
  request = HttpRequest{};
  const std::string_view window = received.substr(0, kMostRequestHead);
  const std::size_t end = window.find(kHeadEnd);
  if (end == std::string_view::npos)
    return received.size() >= kMostRequestHead ? HeadParse::TooLarge : HeadParse::Incomplete;

  std::string_view lines = window.substr(0, end + kLineEnd.size());
  HeaderState state;
  const std::size_t firstEnd = lines.find(kLineEnd);
  if (!ParseRequestLine(lines.substr(0, firstEnd), request, state.http11))
    return HeadParse::Malformed;
  lines.remove_prefix(firstEnd + kLineEnd.size());
  while (!lines.empty()) {
    const std::size_t lineEnd = lines.find(kLineEnd);
    if (!TakeHeader(lines.substr(0, lineEnd), request, state)) return HeadParse::Malformed;
    lines.remove_prefix(lineEnd + kLineEnd.size());
  }
  request.keepAlive = state.http11 ? !state.close : state.keepAlive && !state.close;
  request.headLength = end + kHeadEnd.size();
  return HeadParse::Complete;
}

}  // namespace swivex
