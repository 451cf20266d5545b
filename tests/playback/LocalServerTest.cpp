// The page's server over real sockets on 127.0.0.1, with the system's files: natively, and
// under Windows with Winsock and the Win32 file calls.
#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "playback/FileAccess.h"
#include "playback/LocalServer.h"
#include "playback/SystemServer.h"
#include "tests/playback/HttpClient.h"
#include "tests/player-stub/FaultInjectingFileSystem.h"
#include "tests/support/PollUntil.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#ifdef _WIN32
#include "playback/WindowsFileSystem.h"
using SystemFiles = swivex::WindowsFileSystem;
constexpr char kSeparator = '\\';
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "playback/PosixFileSystem.h"
using SystemFiles = swivex::PosixFileSystem;
constexpr char kSeparator = '/';
#endif

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kToken[] = "00112233445566778899aabbccddeeff";
constexpr char kSwfType[] = "application/x-shockwave-flash";
constexpr std::uint64_t kStart = 1'000;

// The real system's sockets, with a clock that the test sets: the server's deadlines are tried
// at their exact edges without waiting for them.
class ClockedServerSystem final : public ServerSystem {
 public:
  std::atomic<std::uint64_t> now{kStart};
  // Every send finds the socket full, as it stays for a client that does not read.
  std::atomic<bool> noRoomToSend{false};

  bool Listen(Socket& listener, unsigned& port) override { return real_.Listen(listener, port); }
  bool Accept(Socket listener, Socket& accepted) override {
    return real_.Accept(listener, accepted);
  }
  Transfer Receive(Socket socket, std::span<char> room, std::size_t& done) override {
    return real_.Receive(socket, room, done);
  }
  Transfer Send(Socket socket, std::span<const char> bytes, std::size_t& done) override {
    done = 0;
    if (noRoomToSend) return Transfer::WouldBlock;
    return real_.Send(socket, bytes, done);
  }
  void ShutDown(Socket socket) override { real_.ShutDown(socket); }
  void Close(Socket socket) override { real_.Close(socket); }
  void Wait(std::span<SocketWait> sockets, std::uint32_t milliseconds) override {
    real_.Wait(sockets, milliseconds);
  }
  std::uint64_t NowMilliseconds() override { return now; }
  bool FillRandom(std::span<unsigned char> bytes) override { return real_.FillRandom(bytes); }

 private:
  SystemServer real_;
};

Bytes Gzip(const std::string& plain) {
  z_stream stream{};
  deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&stream, plain.size()) + 32);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
  stream.avail_in = static_cast<uInt>(plain.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// A projector with a movie of several pieces in a folder with files beside it, and a file
// beside the folder that must never be served.
class LocalServerTest : public ::testing::Test {
 protected:
  LocalServerTest() {
    std::filesystem::create_directories(root_.Path() / "work" / "sub");
    WriteBytes(root_ / "secret.txt", Bytes{'s', 'e', 'c', 'r', 'e', 't'});
    WriteBytes(Work("notes.xml"), Bytes{'<', 'n', '/', '>'});
    WriteBytes(Work("sub/data.txt"), RandomBytes(70'000, 3));
    WriteBytes(Work("show.exe"), Concat(Concat(stub_, movie_), ProjectorTrailer(movieLength())));
    if (OpenFileForReading(files_, Work("show.exe").c_str(), projector_) != file_errors::kNone)
      throw std::runtime_error("cannot open the projector");
    folder_ = (root_.Path() / "work").string() + kSeparator;
    content_.address = {kToken, 0, "show.swf", player_};
    content_.page = page_;
    content_.projector = projector_.Get();
    content_.movie = {stub_.size(), movieLength()};
    content_.icon = icon_;
    content_.address.besideFolder = folder_.c_str();
    server_ = std::make_unique<LocalServer>(system_, files_);
    if (!server_->Listen(port_)) throw std::runtime_error("cannot listen");
    content_.address.port = port_;
    server_->Serve(content_);
    rounds_ = std::thread([this] {
      while (!stop_) {
        server_->Round(5);
        openConnections_ = server_->OpenConnections();
        streamsOpen_ = server_->Streams().open;
        lastStreamClosedAt_ = server_->Streams().lastClosedAt;
        openFiles_ = files_.OpenFiles();
        ++roundsDone_;
      }
    });
  }
  ~LocalServerTest() override {
    stop_ = true;
    rounds_.join();
  }

  std::string Work(const std::string& name) const {
    return (root_.Path() / "work" / name).string();
  }
  std::uint32_t movieLength() const { return static_cast<std::uint32_t>(movie_.size()); }
  std::string Path(const std::string& rest) const { return std::string("/") + kToken + "/" + rest; }
  HttpResponse Get(const std::string& rest, const std::string& headers = "") {
    return Request(port_, "GET", Path(rest), headers);
  }
  std::string RequestHead(const std::string& rest, const std::string& headers = "") {
    return GetHead(port_, Path(rest), headers);
  }
  // Two more rounds of the server have run.
  void WaitForRounds() {
    const std::uint64_t seen = roundsDone_;
    ASSERT_TRUE(PollUntil([&] { return roundsDone_ >= seen + 2; }, 10s));
  }
  bool WaitForConnections(std::size_t count) {
    return PollUntil([&] { return openConnections_ == count; }, 10s);
  }

  TempFolder root_;
  const Bytes stub_ = RandomBytes(5'000, 1);
  const Bytes movie_ = RandomBytes(300'000, 2);  // many pieces of 16 KiB
  const std::string plainPlayer_ = std::string(40'000, 'p') + "layer";
  const Bytes gzipPlayer_ = Gzip(plainPlayer_);
  const PlayerFile player_[1] = {{"ruffle.js", "text/javascript", gzipPlayer_}};
  const std::string page_ = "<!DOCTYPE html><title>show</title>";
  const std::string icon_ = std::string("\0\0\1\0", 4) + "icon";
  std::string folder_;
  SystemFiles realFiles_;
  FaultInjectingFileSystem files_{realFiles_};  // counts the files that are open
  UniqueOpenedFile projector_;
  ClockedServerSystem system_;
  ServedContent content_;
  std::unique_ptr<LocalServer> server_;
  unsigned port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> openConnections_{0};
  std::atomic<std::size_t> streamsOpen_{0};
  std::atomic<std::uint64_t> lastStreamClosedAt_{0};
  std::atomic<std::uint64_t> roundsDone_{0};
  std::atomic<std::size_t> openFiles_{0};
  std::thread rounds_;
};

TEST_F(LocalServerTest, ServesThePageThePlayerTheMovieAndTheIconByteForByte) {
  const HttpResponse page = Get("");
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.Header("Content-Type"), "text/html; charset=utf-8");
  EXPECT_EQ(page.body, page_);
  EXPECT_EQ(page.Header("Cache-Control"), "no-store");
  EXPECT_EQ(page.Header("X-Content-Type-Options"), "nosniff");

  struct MovieCase {
    const char* headers;
    int status;
    const char* contentLength;
    const char* contentRange;
    std::size_t first;  // the bytes of the movie sent
    std::size_t count;
  };
  const MovieCase cases[] = {
      {"", 200, "300000", "", 0, 300'000},
      {"Range: bytes=299990-\r\n", 206, "10", "bytes 299990-299999/300000", 299'990, 10},
      {"Range: bytes=300000-\r\n", 416, "0", "bytes */300000", 0, 0},
      {"Range: bytes=0-9\r\nIf-Range: \"v1\"\r\n", 200, "300000", "", 0, 300'000},
  };
  for (const MovieCase& tried : cases) {
    const HttpResponse movie = Get("show.swf", tried.headers);
    EXPECT_EQ(movie.status, tried.status) << tried.headers;
    EXPECT_EQ(movie.Header("Content-Type"), tried.status == 416 ? "" : kSwfType) << tried.headers;
    EXPECT_EQ(movie.Header("Content-Length"), tried.contentLength) << tried.headers;
    EXPECT_EQ(movie.Header("Content-Range"), tried.contentRange) << tried.headers;
    EXPECT_EQ(movie.Header("Accept-Ranges"), "bytes") << tried.headers;
    EXPECT_EQ(movie.body, AsText(Bytes(movie_.begin() + tried.first,
                                       movie_.begin() + tried.first + tried.count)))
        << tried.headers;
  }

  const HttpResponse compressed = Get("ruffle.js", "Accept-Encoding: gzip, br\r\n");
  EXPECT_EQ(compressed.Header("Content-Encoding"), "gzip");
  EXPECT_EQ(compressed.Header("Content-Type"), "text/javascript");
  EXPECT_EQ(compressed.body, AsText(gzipPlayer_));
  const HttpResponse plain = Get("ruffle.js");
  EXPECT_EQ(plain.Header("Content-Encoding"), "");
  EXPECT_EQ(plain.Header("Content-Length"), "40005");
  EXPECT_EQ(plain.body, plainPlayer_);

  const HttpResponse icon = Get("icon.ico");
  EXPECT_EQ(icon.status, 200);
  EXPECT_EQ(icon.Header("Content-Type"), "image/x-icon");
  EXPECT_EQ(icon.Header("Content-Length"), "8");
  EXPECT_EQ(icon.body, std::string("\0\0\1\0icon", 8));
}

TEST_F(LocalServerTest, ServesFilesBesideTheProjectorAndBelowIt) {
  const HttpResponse notes = Get("notes.xml");
  EXPECT_EQ(notes.status, 200);
  EXPECT_EQ(notes.Header("Content-Type"), "text/xml");
  EXPECT_EQ(notes.body, "<n/>");
  const HttpResponse data = Get("sub/data.txt", "Range: bytes=0-9\r\n");
  EXPECT_EQ(data.status, 206);
  const Bytes expected = RandomBytes(70'000, 3);
  EXPECT_EQ(data.body, AsText(Bytes(expected.begin(), expected.begin() + 10)));
  EXPECT_EQ(Get("sub/data.txt").body.size(), 70'000u);
  EXPECT_EQ(Get("missing.xml").status, 404);

  HttpConnection kept(port_);
  kept.Send(RequestHead("notes.xml"));
  EXPECT_EQ(kept.Receive().body, "<n/>");
  // The projector alone stays open, as the rounds after the response count.
  WaitForRounds();
  EXPECT_TRUE(PollUntil([&] { return openFiles_ == 1; }, 10s))
      << "closed once sent, while the connection stays open";
}

TEST_F(LocalServerTest, AnswersRequestsOneAfterAnotherOnOneConnection) {
  HttpConnection connection(port_);
  // HEAD sends no body: the next response on the connection starts right after the head.
  connection.Send("HEAD " + Path("show.swf") + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                  std::to_string(port_) + "\r\n\r\n" + RequestHead("notes.xml"));
  const HttpResponse head = connection.Receive(true);
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.Header("Content-Length"), "300000");
  const HttpResponse notes = connection.Receive();
  EXPECT_EQ(notes.status, 200);
  EXPECT_EQ(notes.body, "<n/>");
  connection.Send(RequestHead("show.swf"));
  EXPECT_EQ(connection.Receive().body, AsText(movie_));
}

// The path table is the routes' own (and the end-to-end test's); what only the system's files can
// show is here: links are not followed, to a file or through a folder, and a pipe or a socket is
// no file.
#ifndef _WIN32
TEST_F(LocalServerTest, RefusesLinksPipesAndSocketsBesideTheProjector) {
  ASSERT_EQ(::symlink((root_.Path() / "secret.txt").c_str(), Work("link.txt").c_str()), 0);
  ASSERT_EQ(::symlink(root_.Path().c_str(), Work("sub/up").c_str()), 0);
  ASSERT_EQ(::symlink(Work("notes.xml").c_str(), Work("same.xml").c_str()), 0);
  ASSERT_EQ(::mkfifo(Work("pipe.txt").c_str(), 0600), 0);
  const int unixSocket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", Work("socket.txt").c_str());
  ASSERT_EQ(::bind(unixSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  for (const char* path : {"link.txt", "sub/up/secret.txt", "same.xml", "pipe.txt", "socket.txt"}) {
    const HttpResponse response = Get(path);
    EXPECT_EQ(response.status, 404) << path;
    EXPECT_EQ(response.body, "") << path;
  }
  ::close(unixSocket);
}
#endif

TEST_F(LocalServerTest, ClosesOnAStrangersHostAndNamesTheMethodsItTakes) {
  HttpConnection stranger(port_);
  stranger.Send("GET " + Path("show.swf") +
                " HTTP/1.1\r\nHost: attacker.example:" + std::to_string(port_) + "\r\n\r\n");
  const HttpResponse forbidden = stranger.Receive();
  EXPECT_EQ(forbidden.status, 403);
  EXPECT_EQ(forbidden.Header("Connection"), "close");
  EXPECT_EQ(forbidden.body, "");
  EXPECT_TRUE(stranger.ClosedWithin(5s));
  EXPECT_EQ(Request(port_, "POST", Path(""), "Content-Length: 0\r\n").Header("Allow"), "GET, HEAD");
}

TEST_F(LocalServerTest, TakesRequestHeadsOfUpToEightKibibytes) {
  const auto padded = [&](std::size_t length) {
    const std::string start =
        RequestHead("notes.xml").substr(0, RequestHead("notes.xml").size() - 2);
    return start + "X-Pad: " + std::string(length - start.size() - 11, 'p') + "\r\n\r\n";
  };
  ASSERT_EQ(padded(8192).size(), 8192u);
  HttpConnection fits(port_);
  fits.Send(padded(8192));
  EXPECT_EQ(fits.Receive().body, "<n/>");
  HttpConnection over(port_);
  over.Send(padded(8193));
  EXPECT_EQ(over.Receive().status, 431);
  EXPECT_TRUE(over.ClosedWithin(5s));
}

TEST_F(LocalServerTest, TurnsTheThirtyThirdAwayWhenEveryConnectionHasNamedTheToken) {
  std::vector<std::unique_ptr<HttpConnection>> held;
  for (int index = 0; index < 32; ++index) {
    held.push_back(std::make_unique<HttpConnection>(port_));
    held.back()->Send(RequestHead("notes.xml"));
    ASSERT_EQ(held.back()->Receive().body, "<n/>") << index;
  }
  ASSERT_TRUE(WaitForConnections(32));
  HttpConnection thirtyThird(port_);
  thirtyThird.Send(RequestHead("notes.xml"));
  EXPECT_EQ(thirtyThird.Receive().status, 503);
  EXPECT_EQ(thirtyThird.EndingWithin(5s), HttpConnection::Ending::Closed) << "not reset";
  held.front()->Close();
  ASSERT_TRUE(WaitForConnections(31));
  EXPECT_EQ(Get("notes.xml").body, "<n/>") << "a freed place is taken again";
}

// Anyone on the machine can open connections and send nothing, or anything but the token: when
// they hold every place, the one that has waited longest gives its place to the next client.
TEST_F(LocalServerTest, GivesTheLongestWaitWithoutTheTokenToTheNextClient) {
  std::vector<std::unique_ptr<HttpConnection>> held;
  for (int index = 0; index < 32; ++index) {
    system_.now = kStart + index;
    held.push_back(std::make_unique<HttpConnection>(port_));
    ASSERT_TRUE(WaitForConnections(held.size()));
  }
  held[0]->Send(RequestHead("notes.xml"));
  EXPECT_EQ(held[0]->Receive().body, "<n/>");
  held[1]->Send(GetHead(port_, "/favicon.ico"));
  EXPECT_EQ(held[1]->Receive().status, 404);
  held[2]->Send("GET " + Path("notes.xml") + " HTTP/1.1\r\n");  // not yet a whole request
  system_.now = kStart + 100;

  std::vector<std::unique_ptr<HttpConnection>> clients;
  for (std::size_t given = 1; given <= 3; ++given) {
    clients.push_back(std::make_unique<HttpConnection>(port_));
    clients.back()->Send(RequestHead("notes.xml"));
    EXPECT_EQ(clients.back()->Receive().body, "<n/>") << given;
    EXPECT_TRUE(held[given]->ClosedWithin(5s)) << given;
  }
  EXPECT_FALSE(held[0]->ClosedWithin(0ms)) << "it named the token";
  EXPECT_FALSE(held[4]->ClosedWithin(0ms)) << "only one place a client";
  EXPECT_EQ(openConnections_, 32u);
}

// Clients that close their connections and open new ones at once: a round takes the closes it
// can see before it turns anyone away. Thirty clients leave two places spare, which two closes
// that the round has not taken yet would fill.
TEST_F(LocalServerTest, GivesClosedConnectionsPlacesToNewOnesInTheSameRound) {
  constexpr int kClients = 30;
  constexpr int kRequests = 80;
  std::atomic<int> answered{0};
  std::vector<std::thread> clients;
  for (int client = 0; client < kClients; ++client) {
    clients.emplace_back([&] {
      for (int request = 0; request < kRequests; ++request) {
        HttpConnection connection(port_);
        connection.Send(RequestHead("notes.xml"));
        if (connection.Receive().body == "<n/>") ++answered;
      }
    });
  }
  for (std::thread& client : clients) client.join();
  EXPECT_EQ(answered, kClients * kRequests);
}

TEST_F(LocalServerTest, ClosesIdleConnectionsAfterThirtySecondsButNeverThePagesStream) {
  {
    HttpConnection head(port_);
    head.Send("HEAD " + Path("events") + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port_) +
              "\r\n\r\n");
    EXPECT_EQ(head.Receive(true).Header("Content-Type"), "text/event-stream");
  }  // no page: it is not counted
  HttpConnection idle(port_);
  HttpConnection trickle(port_);
  HttpConnection stream(port_);
  stream.Send(RequestHead("events"));
  const HttpResponse opened = stream.Receive();
  EXPECT_EQ(opened.status, 200);
  EXPECT_EQ(opened.Header("Content-Type"), "text/event-stream");
  EXPECT_EQ(opened.headers.count("content-length"), 0u);
  ASSERT_TRUE(WaitForConnections(3));
  // The round that answered the stream counts it once that round is over.
  EXPECT_TRUE(PollUntil([&] { return streamsOpen_ == 1; }, 10s));

  trickle.Send("GET / HTTP/1.1\r\n");
  system_.now = kStart + 20'000;
  trickle.Send("Host: 127.0.0.1\r\n");  // a head's bytes do not put its deadline off
  system_.now = kStart + 29'999;
  WaitForRounds();
  EXPECT_FALSE(idle.ClosedWithin(0ms));
  EXPECT_EQ(openConnections_, 3u);
  system_.now = kStart + 30'000;
  EXPECT_TRUE(idle.ClosedWithin(5s));
  EXPECT_TRUE(trickle.ClosedWithin(5s));

  system_.now = kStart + 500'000;
  WaitForRounds();
  EXPECT_EQ(openConnections_, 1u) << "the page's stream stays open however long";
  EXPECT_EQ(streamsOpen_, 1u);
  stream.Close();
  EXPECT_TRUE(PollUntil([&] { return streamsOpen_ == 0; }, 10s));
  EXPECT_EQ(lastStreamClosedAt_, kStart + 500'000);
}

TEST_F(LocalServerTest, ClosesAConnectionStuckWhileSendingAtItsDeadline) {
  system_.noRoomToSend = true;
  HttpConnection stuck(port_);
  stuck.Send(RequestHead("show.swf"));
  ASSERT_TRUE(WaitForConnections(1));
  WaitForRounds();  // the request is answered
  system_.now = kStart + 29'999;
  WaitForRounds();
  EXPECT_EQ(openConnections_, 1u);
  system_.now = kStart + 30'000;
  EXPECT_TRUE(WaitForConnections(0));
}

}  // namespace
}  // namespace swivex::testing
