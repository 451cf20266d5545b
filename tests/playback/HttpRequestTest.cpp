#include <gtest/gtest.h>

#include <string>

#include "playback/HttpRequest.h"

namespace swivex::testing {
namespace {

// A request head of exactly `length` bytes: a request line, a header padded to fit, the blank
// line.
std::string HeadOfLength(std::size_t length) {
  const std::string start = "GET /t/ HTTP/1.1\r\nHost: 127.0.0.1:80\r\nX-Pad: ";
  const std::string end = "\r\n\r\n";
  return start + std::string(length - start.size() - end.size(), 'p') + end;
}

struct HeadCase {
  const char* name;
  std::string bytes;
  HeadParse expected;
};

TEST(HttpRequest, ReadsAHeadUpToEightKibibytesAndNoMore) {
  const HeadCase cases[] = {
      {"exactly 8 KiB", HeadOfLength(8192), HeadParse::Complete},
      {"one byte over", HeadOfLength(8193), HeadParse::TooLarge},
      {"8 KiB without its end yet", HeadOfLength(8192).substr(0, 8191), HeadParse::Incomplete},
      {"8 KiB of head and more behind it", HeadOfLength(8192) + "GET /", HeadParse::Complete},
      {"9 KiB without an end", std::string(9216, 'a'), HeadParse::TooLarge},
      {"nothing yet", "", HeadParse::Incomplete},
      {"half a line", "GET /t/ HT", HeadParse::Incomplete},
      {"lines ended by LF alone", "GET / HTTP/1.1\nHost: a\n\n", HeadParse::Incomplete},
      {"no target", "GET  HTTP/1.1\r\n\r\n", HeadParse::Malformed},
      {"no version", "GET /\r\n\r\n", HeadParse::Malformed},
      {"HTTP/2.0", "GET / HTTP/2.0\r\n\r\n", HeadParse::Malformed},
      {"a space inside the target", "GET /a b HTTP/1.1\r\n\r\n", HeadParse::Malformed},
      {"a control byte in the target", "GET /a\x01 HTTP/1.1\r\n\r\n", HeadParse::Malformed},
      {"a header without a colon", "GET / HTTP/1.1\r\nHost\r\n\r\n", HeadParse::Malformed},
      {"a space before the colon", "GET / HTTP/1.1\r\nHost : a\r\n\r\n", HeadParse::Malformed},
      {"a folded line", "GET / HTTP/1.1\r\nX: a\r\n b\r\n\r\n", HeadParse::Malformed},
      {"two Host headers", "GET / HTTP/1.1\r\nHost: a\r\nhost: b\r\n\r\n", HeadParse::Malformed},
      {"a bare LF in a value", "GET / HTTP/1.1\r\nX: a\nb\r\n\r\n", HeadParse::Malformed},
  };
  for (const HeadCase& tried : cases) {
    HttpRequest request;
    EXPECT_EQ(ParseRequestHead(tried.bytes, request), tried.expected) << tried.name;
  }
  HttpRequest request;
  ASSERT_EQ(ParseRequestHead(HeadOfLength(8192) + "GET /", request), HeadParse::Complete);
  EXPECT_EQ(request.headLength, 8192u) << "the next request is not part of this one";
}

struct FieldCase {
  const char* bytes;
  Method method;
  const char* target;
  const char* host;
  const char* range;
  bool ifRange;
  bool gzip;
  bool keepAlive;
  bool body;
};

TEST(HttpRequest, TakesWhatTheServerNeedsFromTheHeaders) {
  const FieldCase cases[] = {
      {"GET /t/m.swf?x=1 HTTP/1.1\r\nHost: 127.0.0.1:5\r\nRange: bytes=0-9\r\n\r\n", Method::Get,
       "/t/m.swf?x=1", "127.0.0.1:5", "bytes=0-9", false, false, true, false},
      {"HEAD / HTTP/1.1\r\nhOsT:   localhost:7  \r\nIf-Range: x\r\n\r\n", Method::Head, "/",
       "localhost:7", "", true, false, true, false},
      {"POST / HTTP/1.1\r\nContent-Length: 3\r\n\r\n", Method::Other, "/", "", "", false, false,
       true, true},
      {"get / HTTP/1.1\r\nContent-Length: 0\r\n\r\n", Method::Other, "/", "", "", false, false,
       true, false},
      {"GET / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", Method::Get, "/", "", "", false,
       false, true, true},
      {"GET / HTTP/1.1\r\nConnection: keep-alive, Close\r\n\r\n", Method::Get, "/", "", "", false,
       false, false, false},
      {"GET / HTTP/1.0\r\n\r\n", Method::Get, "/", "", "", false, false, false, false},
      {"GET / HTTP/1.0\r\nConnection: Keep-Alive\r\n\r\n", Method::Get, "/", "", "", false, false,
       true, false},
      {"GET / HTTP/1.1\r\nAccept-Encoding: gzip, deflate, br\r\n\r\n", Method::Get, "/", "", "",
       false, true, true, false},
      {"GET / HTTP/1.1\r\nAccept-Encoding: br;q=1, GZIP;q=0.5\r\n\r\n", Method::Get, "/", "", "",
       false, true, true, false},
      {"GET / HTTP/1.1\r\nAccept-Encoding: gzip;q=0\r\n\r\n", Method::Get, "/", "", "", false,
       false, true, false},
      {"GET / HTTP/1.1\r\nAccept-Encoding: gzip; q=0.000, *\r\n\r\n", Method::Get, "/", "", "",
       false, false, true, false},
      {"GET / HTTP/1.1\r\nAccept-Encoding: *\r\n\r\n", Method::Get, "/", "", "", false, true, true,
       false},
      {"GET / HTTP/1.1\r\nAccept-Encoding: x-gzip;q=0.001\r\n\r\n", Method::Get, "/", "", "", false,
       true, true, false},
      {"GET / HTTP/1.1\r\nAccept-Encoding: identity\r\n\r\n", Method::Get, "/", "", "", false,
       false, true, false},
  };
  for (const FieldCase& tried : cases) {
    HttpRequest request;
    ASSERT_EQ(ParseRequestHead(tried.bytes, request), HeadParse::Complete) << tried.bytes;
    EXPECT_EQ(request.method, tried.method) << tried.bytes;
    EXPECT_EQ(request.target, tried.target) << tried.bytes;
    EXPECT_EQ(request.host, tried.host) << tried.bytes;
    EXPECT_EQ(request.range, tried.range) << tried.bytes;
    EXPECT_EQ(request.hasIfRange, tried.ifRange) << tried.bytes;
    EXPECT_EQ(request.acceptsGzip, tried.gzip) << tried.bytes;
    EXPECT_EQ(request.keepAlive, tried.keepAlive) << tried.bytes;
    EXPECT_EQ(request.hasBody, tried.body) << tried.bytes;
  }
}

}  // namespace
}  // namespace swivex::testing
