// Feeds the page's server arbitrary bytes from a client: a request head as the parser and the
// routes see it, and the same bytes through a connection as they arrive, in pieces whose size
// the first byte sets, with the projector's movie and a file beside it in memory.
//
// Whatever arrives: a file beside the projector is only ever one inside its folder (no "..", no
// ":" or "\", no empty name), a 200 comes only for the server's own Host, a byte range lies
// inside the file, and every response the connection sends starts with a status line.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "playback/ByteRange.h"
#include "playback/Connection.h"
#include "playback/FileSystem.h"
#include "playback/HttpRequest.h"
#include "playback/PageRoutes.h"

namespace {

using swivex::FileError;
using swivex::FileHandle;

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

constexpr char kToken[] = "0123456789abcdef0123456789abcdef";
const unsigned char kGzip[] = {0x1f, 0x8b, 8,    0,    0,    0,    0,    0,    2,
                               3,    0x2b, 0x2a, 0x4d, 0x4b, 0xcb, 0x49, 0x05, 0x00,
                               0xa5, 0x2c, 0x6a, 0x4f, 6,    0,    0,    0};
const swivex::PlayerFile kPlayer[] = {{"ruffle.js", "text/javascript", kGzip}};
const swivex::PageAddress kAddress{kToken, 4321, "show.swf", kPlayer, "/work/"};

// The projector (id 1) and one file beside it, "notes.xml", in memory.
class MemoryFiles final : public swivex::FileSystem {
 public:
  std::vector<unsigned char> projector = std::vector<unsigned char>(40'000, 'm');
  std::string notes = "<notes/>";
  int open = 0;

  FileError OwnPath(swivex::BoundedText&) override { return 5; }
  FileError TempFolder(swivex::BoundedText&) override { return 5; }
  FileError CreateFolder(const char*) override { return 5; }
  FileError OpenForReading(const char*, FileHandle&) override { return 5; }
  FileError OpenBelow(const char* folder, const char* relative, FileHandle& file) override {
    Check(std::strcmp(folder, "/work/") == 0, "files are opened in the projector's folder");
    Check(swivex::IsServablePath(relative), "only servable paths are opened");
    if (std::strcmp(relative, "notes.xml") != 0) return 2;
    file = 2;
    ++open;
    return 0;
  }
  FileError CreateNewFile(const char*, FileHandle&) override { return 5; }
  FileError FileSize(FileHandle file, std::uint64_t& size) override {
    size = file == 1 ? projector.size() : notes.size();
    return 0;
  }
  FileError Seek(FileHandle file, std::uint64_t offset) override {
    positions_[file] = offset;
    return 0;
  }
  FileError Read(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t& done) override {
    const std::uint64_t size = file == 1 ? projector.size() : notes.size();
    const std::uint64_t at = positions_[file];
    done = at >= size ? 0 : static_cast<std::uint32_t>(std::min<std::uint64_t>(count, size - at));
    std::memcpy(buffer,
                file == 1 ? projector.data() + at
                          : reinterpret_cast<const unsigned char*>(notes.data()) + at,
                done);
    positions_[file] += done;
    return 0;
  }
  FileError Write(FileHandle, const void*, std::uint32_t, std::uint32_t&) override { return 5; }
  FileError Flush(FileHandle) override { return 5; }
  FileError Close(FileHandle file) override {
    Check(file == 2, "only the file beside the projector is closed");
    --open;
    return 0;
  }
  FileError Rename(const char*, const char*) override { return 5; }
  FileError Delete(const char*) override { return 5; }
  bool IsLeadByte(unsigned char) override { return false; }
  void AppendErrorText(swivex::BoundedText& text, FileError) override { text.Append("error"); }

 private:
  std::map<FileHandle, std::uint64_t> positions_;
};

// A client that sends the input in pieces and takes whatever the server sends.
class MemoryClient final : public swivex::ServerSystem {
 public:
  MemoryClient(std::string_view input, std::size_t piece) : input_(input), piece_(piece) {}

  std::string sent;
  bool closed = false;

  bool Listen(swivex::Socket&, unsigned&) override { return false; }
  bool Accept(swivex::Socket, swivex::Socket&) override { return false; }
  swivex::Transfer Receive(swivex::Socket, std::span<char> room, std::size_t& done) override {
    done = std::min({room.size(), piece_, input_.size()});
    if (done == 0 && !room.empty()) return swivex::Transfer::Ended;
    std::memcpy(room.data(), input_.data(), done);
    input_.remove_prefix(done);
    return swivex::Transfer::Moved;
  }
  swivex::Transfer Send(swivex::Socket, std::span<const char> bytes, std::size_t& done) override {
    if (sent.size() > 1'000'000) return swivex::Transfer::Ended;
    sent.append(bytes.data(), bytes.size());
    done = bytes.size();
    return swivex::Transfer::Moved;
  }
  void ShutDown(swivex::Socket) override {}
  void Close(swivex::Socket) override { closed = true; }
  void Wait(std::span<swivex::SocketWait>, std::uint32_t) override {}
  std::uint64_t NowMilliseconds() override { return 0; }
  bool FillRandom(std::span<unsigned char>) override { return false; }

 private:
  std::string_view input_;
  std::size_t piece_;
};

void CheckRoute(std::string_view input) {
  swivex::HttpRequest request;
  if (swivex::ParseRequestHead(input, request) != swivex::HeadParse::Complete) return;
  Check(request.headLength <= swivex::kMostRequestHead, "a head is at most 8 KiB");
  swivex::Route route;
  swivex::RouteRequest(request, kAddress, route);
  if (route.status == 200 || route.status == 204) {
    std::string host(request.host);
    for (char& byte : host)
      byte = static_cast<char>(std::tolower(static_cast<unsigned char>(byte)));
    Check(host == "127.0.0.1:4321" || host == "localhost:4321",
          "only the server's own Host is served");
  }
  if (route.resource == swivex::Resource::BesideFile) {
    const std::string_view path = route.path.View();
    Check(path.find(':') == std::string_view::npos && path.find('\\') == std::string_view::npos,
          "no drive, stream or backslash");
    Check(path.front() != '/' && path.find("//") == std::string_view::npos, "no empty name");
    Check(("/" + std::string(path) + "/").find("/../") == std::string::npos, "no parent folder");
  }
  const std::uint64_t size = input.size();
  swivex::ByteSpan span;
  if (swivex::ParseByteRange(request.range, size, span) == swivex::RangeAnswer::Part)
    Check(span.first <= span.last && span.last < size, "a range lies inside the file");
}

void CheckConnection(std::string_view input, std::size_t piece) {
  MemoryFiles files;
  MemoryClient client(input, piece);
  const char icon[] = "icon";
  const swivex::ServedContent content{
      kAddress, "<html></html>", {&files, 1}, {1000, 30'000}, {icon, 4}};
  swivex::StreamCount streams;
  swivex::PageTells tells;
  swivex::ServerContext context{client, files, content, streams, tells, 0};
  {
    swivex::Connection connection;
    Check(connection.Open(7, 0), "a connection opens");
    for (int round = 0; round < 200 && connection.IsOpen(); ++round) connection.Advance(context);
    if (connection.IsOpen()) connection.Close(context);
  }
  Check(files.open == 0, "every file beside the projector is closed");
  Check(streams.open == 0, "a closed stream is counted out");
  Check(client.sent.empty() || client.sent.rfind("HTTP/1.1 ", 0) == 0,
        "what is sent starts with a status line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckRoute(input);
  CheckConnection(input, data[0] == 0 ? input.size() : data[0]);
  return 0;
}
