// swivexc end to end: the real program on files that the test writes, its exit code, its
// report and the files it leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/SystemFiles.h"
#include "tests/console/ProgramRun.h"
#include "tests/console/SwivexcPath.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestName.h"
#include "tests/swf/JpegSegments.h"
#include "tests/swf/MovieBuilder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace swivex::testing {
namespace {

using swf::testing::Le16;
using swf::testing::Le32;
using swf::testing::MovieBuilder;
using swf::testing::operator+;

using swf::testing::kCleanJpeg;
using swf::testing::kDht;
using swf::testing::kDqt;
using swf::testing::kEoi;
using swf::testing::kScan;
using swf::testing::kSof;
using swf::testing::kSoi;
const Bytes kGif = {'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0};
// One 24-bit pixel (pad, R, G, B) as a zlib stream with one stored block, and its Adler-32.
const Bytes kLosslessPixel = {0x78, 0x01, 0x01, 0x04, 0x00, 0xFB, 0xFF, 0xFF,
                              0x10, 0x20, 0x30, 0x04, 0xA0, 0x01, 0x60};
// The start of the PNG file for that picture: signature, IHDR of 1x1 8-bit RGB.
const Bytes kOnePixelPngStart = {0x89, 'P',  'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0,
                                 0,    0x0D, 'I', 'H', 'D',  'R',  0,    0,    0, 1,
                                 0,    0,    0,   1,   8,    2,    0,    0,    0};

// ActionScript 3, the movie's JPEG tables, then four pictures with character ids 3, 4, 6, 7.
const MovieBuilder kMovie = MovieBuilder()
                                .Tag(69, {0x08, 0, 0, 0})
                                .Tag(8, kSoi + kDqt + kDht + kEoi)
                                .Tag(6, Le16(3) + kSoi + kSof + kScan)
                                .Tag(21, Le16(4) + kEoi + kSoi + kCleanJpeg)
                                .Tag(21, Le16(6) + kGif)
                                .Tag(20, Le16(7) + Bytes{5} + Le16(1) + Le16(1) + kLosslessPixel)
                                .End();
const Bytes kFws = kMovie.Fws();
// Computed apart from the program, by Python's hashlib, from the same bytes.
const char kFwsSha256[] = "a747503e0c232ba4851b162864385c454976560efa1127374c6637ccdca84f2e";
const Bytes kCws = kMovie.Cws();
const Bytes kStub = Bytes(300, 'S');

Bytes Projector(const Bytes& stub, const Bytes& movie) {
  return stub + movie + Bytes{0x56, 0x34, 0x12, 0xFA} +
         Le32(static_cast<std::uint32_t>(movie.size()));
}

const Bytes kOld = {'o', 'l', 'd'};
// How every page that a web folder holds begins.
const Bytes kPageStart = {'<', '!', 'D', 'O', 'C', 'T', 'Y', 'P',
                          'E', ' ', 'h', 't', 'm', 'l', '>'};
// Two pictures of one character id, as a damaged movie may hold them.
const Bytes kTwins =
    MovieBuilder().Tag(21, Le16(4) + kCleanJpeg).Tag(21, Le16(4) + kCleanJpeg).End().Fws();
// A movie of no tags whose zlib stream (one stored block) is padded to one byte more than the
// 1 MiB that the program reads at a time: the reader stops where the stream ends, long before.
// The hash of the whole file computed apart, by Python's hashlib.
const Bytes kPaddedCws =
    Bytes{0x43, 0x57, 0x53, 0x0A, 0x17, 0x00, 0x00, 0x00, 0x78, 0x01, 0x01, 0x0F,
          0x00, 0xF0, 0xFF, 0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00,
          0x00, 0x18, 0x01, 0x00, 0x00, 0x00, 0x11, 0xCF, 0x01, 0xA5} +
    Bytes((1u << 20) + 1 - 34, 0);
const char kPaddedCwsSha256[] = "4a757bd16984e53d0a35c2aba9e7b3a42761cb250fd82efcf9137a58da8f1c39";

// The files every case starts with.
const std::map<std::string, Bytes> kFiles = {
    {"movies/intro.swf", kFws},
    {"movies/packed.swf", kCws},
    {"movies/show.exe", Projector(kStub, kFws)},
    {"movies/show.swf", kOld},
    {"movies/notes.txt", {'h', 'e', 'l', 'l', 'o'}},
    {"movies/empty.dat", {}},
    {"movies/inner/deep.exe", Projector(kStub, kCws)},
    {"bad/long.exe", Bytes(20, 1) + Bytes{0x56, 0x34, 0x12, 0xFA, 21, 0, 0, 0}},
    {"bad/fits.exe", Bytes(21, 1) + Bytes{0x56, 0x34, 0x12, 0xFA, 21, 0, 0, 0}},
    {"stub.bin", kStub},
    {"unicode/\xe6\x98\xa0\xe7\x94\xbb.exe", Projector(kStub, kFws)},
};

struct ExpectedFile {
  std::string name;
  std::optional<Bytes> bytes;  // nothing: the file must not exist
  bool startOnly = false;      // `bytes` are the file's first bytes
};

struct Case {
  const char* title;
  std::vector<std::string> arguments;
  int exitCode;
  // Pieces that standard output holds in this order; "\\" in it reads as "/".
  std::vector<std::string> output;
  std::vector<ExpectedFile> files;
  std::map<std::string, Bytes> planted = {};  // written before the run, over kFiles
  std::string error = "";                     // a piece of standard error
  std::vector<std::string> held = {};         // held open by another program during the run
  std::vector<std::string> pipes = {};        // named pipes that nobody writes (natively)
};

std::string JsonLine(const std::string& file, const std::string& kind, const std::string& stub) {
  const std::string length = std::to_string(kFws.size());
  return "{\"file\": \"" + file + "\", \"kind\": \"" + kind + "\", \"stub_size\": " + stub +
         ", \"movie_length\": " + length +
         ", \"signature\": \"FWS\", \"compression\": \"none\", \"version\": 10, "
         "\"declared_length\": " +
         length +
         ", \"frame_width\": 550, \"frame_height\": 400, \"frame_rate\": 24, \"frame_count\": 1, "
         "\"actionscript3\": true, \"use_network\": false, \"picture_count\": 4, \"sha256\": \"" +
         kFwsSha256 + "\"}\n";
}

const std::string kUsage = "usage: swivexc ";

const Case kCases[] = {
    {"version", {"--version"}, 0, {"swivexc 1.0.1.7\n"}, {}},
    {"help", {"info", "--help"}, 0, {"usage:", "swivexc build MOVIE...", "examples:"}, {}},
    {"no command", {}, 2, {}, {}, {}, "swivexc: no command given\n" + kUsage},
    {"no movie", {"build", "--force"}, 2, {}, {}, {}, "build needs a file\n" + kUsage + "build"},
    {"option of another command",
     {"info", "movies/intro.swf", "-r"},
     2,
     {},
     {},
     {},
     "the option -r does not go with info\n" + kUsage + "info FILE..."},

    {"build beside the movie",
     {"build", "movies/intro.swf", "--stub", "stub.bin"},
     0,
     {"ok: movies/intro.swf -> movies/intro.exe\n"},
     {{"movies/intro.exe", Projector(kStub, kFws)}}},
    {"build to a named file",
     {"build", "movies/intro.swf", "--stub", "stub.bin", "-o", "one.exe"},
     0,
     {"ok: movies/intro.swf -> one.exe\n"},
     {{"one.exe", Projector(kStub, kFws)}, {"movies/intro.exe", std::nullopt}}},
    {"build several into a new folder",
     {"build", "movies/intro.swf", "movies/packed.swf", "--stub", "stub.bin", "-o", "out/p"},
     0,
     {"ok: movies/intro.swf -> out/p/intro.exe\n", "ok: movies/packed.swf -> out/p/packed.exe\n"},
     {{"out/p/intro.exe", Projector(kStub, kFws)}, {"out/p/packed.exe", Projector(kStub, kCws)}}},
    {"build refuses to replace",
     {"build", "movies/show.swf", "--stub", "stub.bin", "-o", "movies/show.exe"},
     1,
     {"failed: movies/show.swf: Cannot create file", "(--force replaces it)\n"},
     {{"movies/show.exe", Projector(kStub, kFws)}}},
    {"build replaces with --force",
     {"build", "movies/show.swf", "--stub", "stub.bin", "-o", "movies/show.exe", "--force"},
     0,
     {"ok: movies/show.swf -> movies/show.exe\n"},
     {{"movies/show.exe", Projector(kStub, kOld)}}},
    {"build goes on after a missing movie",
     {"build", "nowhere.swf", "movies/intro.swf", "--stub", "stub.bin"},
     1,
     {"failed: nowhere.swf: Cannot open file", "ok: movies/intro.swf -> movies/intro.exe\n"},
     {{"movies/intro.exe", Projector(kStub, kFws)}}},
    {"build with a missing stub",
     {"build", "movies/intro.swf", "--stub", "none.bin"},
     1,
     {"failed: movies/intro.swf: Cannot open file", "none.bin"},
     {{"movies/intro.exe", std::nullopt}}},

    {"build refuses a target that another program holds",
     {"build", "movies/intro.swf", "--stub", "stub.bin"},
     1,
     {"failed: movies/intro.swf: Cannot create file", "(--force replaces it)\n"},
     {{"movies/intro.exe", kOld}},
     {{"movies/intro.exe", kOld}},
     "",
     {"movies/intro.exe"}},
    {"build for Linux refuses a projector that would replace its own movie",
     {"build", "--linux", "movies/clip", "--stub", "stub.bin"},
     1,
     {"failed: movies/clip: The projector would replace \"movies/clip\", which it is made from\n"},
     {{"movies/clip", kFws}},
     {{"movies/clip", kFws}}},
    {"build for Linux refuses it with --force too",
     {"build", "--linux", "movies/clip", "--stub", "stub.bin", "--force"},
     1,
     {"failed: movies/clip: The projector would replace \"movies/clip\", which it is made from\n"},
     {{"movies/clip", kFws}},
     {{"movies/clip", kFws}}},
#ifndef _WIN32
    {"build refuses a named pipe for its movie at once",
     {"build", "feed.swf", "--stub", "stub.bin"},
     1,
     {"failed: feed.swf: Cannot open file \"", "/feed.swf\". It is a named pipe, not a file\n"},
     {{"feed.exe", std::nullopt}},
     {},
     "",
     {},
     {"feed.swf"}},
#endif
    {"build two movies of one name into one folder",
     {"build", "movies/intro.swf", "other/intro.swf", "--stub", "stub.bin", "-o", "out", "--force"},
     1,
     {"ok: movies/intro.swf -> out/intro.exe\n",
      "failed: other/intro.swf: The projector would replace \"out/intro.exe\", which this run made "
      "from \"movies/intro.swf\"\n"},
     {{"out/intro.exe", Projector(kStub, kFws)}},
     {{"other/intro.swf", kCws}}},
    {"build a movie and the projector it would replace",
     {"build", "movies/show.swf", "movies/show.exe", "--stub", "stub.bin", "--force"},
     1,
     {"failed: movies/show.swf: The projector would replace \"movies/show.exe\", which is also "
      "being converted\n",
      "failed: movies/show.exe: The projector would replace \"movies/show.exe\", which it is made "
      "from\n"},
     {{"movies/show.swf", kOld}, {"movies/show.exe", Projector(kStub, kFws)}}},

    {"extract refuses to replace",
     {"extract", "movies/show.exe"},
     1,
     {"failed: movies/show.exe: Cannot create file", "(--force replaces it)\n"},
     {{"movies/show.swf", kOld}}},
    {"extract replaces with --force",
     {"extract", "movies/show.exe", "--force"},
     0,
     {"ok: movies/show.exe -> movies/show.swf\n"},
     {{"movies/show.swf", kFws}}},
    {"extract a projector and the movie it would replace, and another",
     {"extract", "movies/show.exe", "movies/show.swf", "movies/inner/deep.exe", "--force"},
     1,
     {"failed: movies/show.exe: The movie would replace \"movies/show.swf\", which is also being "
      "converted\n",
      "failed: movies/show.swf: not a projector\n",
      "ok: movies/inner/deep.exe -> movies/inner/deep.swf\n"},
     {{"movies/show.swf", kOld},
      {"movies/show.exe", Projector(kStub, kFws)},
      {"movies/inner/deep.swf", kCws}}},
    {"extract a movie and the projector that would replace it",
     {"extract", "movies/show.swf", "movies/show.exe", "--force"},
     1,
     {"failed: movies/show.swf: not a projector\n",
      "failed: movies/show.exe: The movie would replace \"movies/show.swf\", which is also being "
      "converted\n"},
     {{"movies/show.swf", kOld}}},
    {"extract a projector and its screen saver into one folder",
     {"extract", "movies/show.exe", "movies/show.scr", "-o", "out", "--force"},
     1,
     {"ok: movies/show.exe -> out/show.swf\n",
      "failed: movies/show.scr: The movie would replace \"out/show.swf\", which this run made from "
      "\"movies/show.exe\"\n"},
     {{"out/show.swf", kFws}},
     {{"movies/show.scr", Projector(kStub, kCws)}}},
    {"extract named files without a trailer and with nothing but one",
     {"extract", "setup.exe", "only.exe"},
     1,
     {"failed: setup.exe: not a projector\n", "ok: only.exe -> only.swf\n"},
     {{"only.swf", Bytes{}}, {"setup.swf", std::nullopt}},
     {{"setup.exe", {0x56, 0x34, 0x12, 0xFA, 0, 0, 0}},
      {"only.exe", {0x56, 0x34, 0x12, 0xFA, 0, 0, 0, 0}}}},
    {"extract a folder replaces a movie found beside its projector",
     {"extract", "movies", "--force"},
     0,
     {"ok: movies/show.exe -> movies/show.swf\n", "skipped: movies/show.swf (not a projector)\n"},
     {{"movies/show.swf", kFws}}},
    {"extract a folder of two projectors that would replace each other",
     {"extract", "pair", "--force"},
     1,
     {"failed: pair/a.exe: The movie would replace \"pair/a.swf\", which is also being converted\n",
      "failed: pair/a.swf: The movie would replace \"pair/a.swf\", which it is made from\n"},
     {{"pair/a.exe", Projector(kStub, kFws)}, {"pair/a.swf", Projector(kStub, kCws)}},
     {{"pair/a.exe", Projector(kStub, kFws)}, {"pair/a.swf", Projector(kStub, kCws)}}},
    {"extract a folder",
     {"extract", "movies", "-o", "out"},
     0,
     {"skipped: movies/empty.dat (not a projector)\n",
      "skipped: movies/intro.swf (not a projector)\n",
      "skipped: movies/notes.txt (not a projector)\n",
      "skipped: movies/packed.swf (not a projector)\n", "ok: movies/show.exe -> out/show.swf\n",
      "skipped: movies/show.swf (not a projector)\n"},
     {{"out/show.swf", kFws}, {"out/inner/deep.swf", std::nullopt}}},
    {"extract a folder and its folders",
     {"extract", "-r", "movies", "-o", "out"},
     0,
     {"ok: movies/show.exe -> out/show.swf\n", "ok: movies/inner/deep.exe -> out/inner/deep.swf\n"},
     {{"out/show.swf", kFws}, {"out/inner/deep.swf", kCws}}},
    {"extract beside the projectors",
     {"extract", "-r", "movies/inner"},
     0,
     {"ok: movies/inner/deep.exe -> movies/inner/deep.swf\n"},
     {{"movies/inner/deep.swf", kCws}}},
    {"extract a length that does not fit, and one that fills the file",
     {"extract", "bad"},
     1,
     {"ok: bad/fits.exe -> bad/fits.swf\n", "failed: bad/long.exe: Stream read error\n"},
     {{"bad/fits.swf", Bytes(21, 1)}, {"bad/long.swf", std::nullopt}}},
    {"extract names in UTF-8, listed and given",
     {"extract", "unicode", "-o", "\xe5\x87\xba\xe5\x8a\x9b"},
     0,
     {"ok: unicode/\xe6\x98\xa0\xe7\x94\xbb.exe -> \xe5\x87\xba\xe5\x8a\x9b/"
      "\xe6\x98\xa0\xe7\x94\xbb.swf\n"},
     {{"\xe5\x87\xba\xe5\x8a\x9b/\xe6\x98\xa0\xe7\x94\xbb.swf", kFws}}},

    {"info as JSON",
     {"info", "movies/intro.swf", "movies/show.exe", "--json"},
     0,
     {JsonLine("movies/intro.swf", "movie", "null") +
      JsonLine("movies/show.exe", "projector", "300")},
     {}},
    {"info as text, and a file that is no movie",
     {"info", "movies/inner/deep.exe", "movies/notes.txt"},
     1,
     {"movies/inner/deep.exe\n  kind: projector\n  stub size: 300 bytes\n  movie length: " +
          std::to_string(kCws.size()) + " bytes\n  signature: CWS (compression: zlib)\n",
      "  frame size: 550 x 400 pixels\n  frame rate: 24 frames per second\n",
      "  ActionScript 3: yes\n  network access: no\n  pictures: 4\n  SHA-256: ",
      "\n\nfailed: movies/notes.txt: "},
     {}},
    {"info hashes what follows the movie past the first piece read",
     {"info", "long.swf", "--json"},
     0,
     {"\"movie_length\": 1048577, \"signature\": \"CWS\"", "\"declared_length\": 23, ",
      std::string("\"sha256\": \"") + kPaddedCwsSha256 + "\"}\n"},
     {},
     {{"long.swf", kPaddedCws}}},
    {"info of a file that is no movie, as JSON",
     {"info", "--json", "movies/notes.txt"},
     1,
     {"{\"file\": \"movies/notes.txt\", \"error\": \""},
     {}},

    {"pictures beside the movie",
     {"pictures", "movies/intro.swf"},
     0,
     {"ok: picture 3 (DefineBits) -> movies/intro-pictures/3.jpg\n",
      "ok: picture 4 (DefineBitsJPEG2) -> movies/intro-pictures/4.jpg\n",
      "ok: picture 6 (DefineBitsJPEG2) -> movies/intro-pictures/6.gif\n",
      "ok: picture 7 (DefineBitsLossless) -> movies/intro-pictures/7.png\n",
      "movies/intro.swf: 4 of 4 pictures written to movies/intro-pictures\n"},
     {{"movies/intro-pictures/3.jpg", kCleanJpeg},
      {"movies/intro-pictures/4.jpg", kCleanJpeg},
      {"movies/intro-pictures/6.gif", kGif},
      {"movies/intro-pictures/7.png", kOnePixelPngStart, true}}},
    {"pictures of a projector keep an existing picture",
     {"pictures", "movies/show.exe", "-o", "art"},
     1,
     {"failed: picture 3 (DefineBits): Cannot create file", "(--force replaces it)\n",
      "ok: picture 4 (DefineBitsJPEG2) -> art/4.jpg\n", "3 of 4 pictures written to art\n"},
     {{"art/3.jpg", kOld}, {"art/4.jpg", kCleanJpeg}},
     {{"art/3.jpg", kOld}}},
    {"pictures replace with --force",
     {"pictures", "movies/show.exe", "-o", "art", "--force"},
     0,
     {"4 of 4 pictures written to art\n"},
     {{"art/3.jpg", kCleanJpeg}},
     {{"art/3.jpg", kOld}}},
    {"pictures of one id do not replace each other",
     {"pictures", "twins.swf", "-o", "art", "--force"},
     1,
     {"ok: picture 4 (DefineBitsJPEG2) -> art/4.jpg\n",
      "failed: picture 4 (DefineBitsJPEG2): The picture would replace \"art/4.jpg\", which this "
      "run made from \"picture 4 (DefineBitsJPEG2)\"\n",
      "twins.swf: 1 of 2 pictures written to art\n"},
     {{"art/4.jpg", kCleanJpeg}},
     {{"twins.swf", kTwins}}},
    {"pictures go on past one whose JPEG tables are too long to keep",
     {"pictures", "movies/tables.swf"},
     1,
     {"failed: picture 3 (DefineBits): the JPEGTables tag at offset 21 holds 65537 bytes, more "
      "than JPEG tables take (at offset 21 of the movie)\n",
      "ok: picture 4 (DefineBitsJPEG2) -> movies/tables-pictures/4.jpg\n",
      "movies/tables.swf: 1 of 2 pictures written to movies/tables-pictures\n"},
     {{"movies/tables-pictures/3.jpg", std::nullopt}, {"movies/tables-pictures/4.jpg", kCleanJpeg}},
     {{"movies/tables.swf", MovieBuilder()
                                .LongTag(8, Bytes(65537, 0))
                                .Tag(6, Le16(3) + kSoi + kSof + kScan)
                                .Tag(21, Le16(4) + kCleanJpeg)
                                .End()
                                .Fws()}}},
    {"pictures of a movie without any leave no folder and say so",
     {"pictures", "bare.swf"},
     0,
     {"bare.swf: no pictures\n"},
     {{"bare-pictures", std::nullopt}},
     {{"bare.swf", MovieBuilder().End().Fws()}}},
    {"pictures of a file that is no movie leave no folder",
     {"pictures", "movies/notes.txt"},
     1,
     {"failed: movies/notes.txt: "},
     {{"movies/notes-pictures", std::nullopt}}},

    {"web beside the movie, and of a file that is no movie",
     {"web", "movies/intro.swf", "movies/notes.txt"},
     1,
     {"ok: movies/intro.swf -> movies/intro-web\n",
      "failed: movies/notes.txt: this is not a movie: it starts with neither FWS, CWS nor ZWS (at "
      "offset 0 of the movie)\n"},
     {{"movies/intro-web/intro.swf", kFws},
      {"movies/intro-web/index.html", kPageStart, true},
      {"movies/intro-web/licences.html", kPageStart, true},
      {"movies/notes-web", std::nullopt}}},
    {"web of a projector and a movie, each into a folder of its own",
     {"web", "movies/show.exe", "movies/packed.swf", "-o", "site"},
     0,
     {"ok: movies/show.exe -> site/show\n", "ok: movies/packed.swf -> site/packed\n"},
     {{"site/show/show.swf", kFws},
      {"site/show/index.html", kPageStart, true},
      {"site/packed/packed.swf", kCws}}},
    {"web refuses to replace a file of the folder, and writes none",
     {"web", "movies/intro.swf", "-o", "site"},
     1,
     {"failed: movies/intro.swf: Cannot create file", "index.html", "(--force replaces it)\n"},
     {{"site/index.html", kOld}, {"site/intro.swf", std::nullopt}},
     {{"site/index.html", kOld}}},
    {"web replaces the files of the folder with --force",
     {"web", "movies/intro.swf", "-o", "site", "--force"},
     0,
     {"ok: movies/intro.swf -> site\n"},
     {{"site/index.html", kPageStart, true}, {"site/intro.swf", kFws}},
     {{"site/index.html", kOld}}},
    {"web never replaces the movie it is made from, nor one it wrote",
     {"web", "site/intro/intro.swf", "movies/packed.swf", "other/packed.swf", "-o", "site",
      "--force"},
     1,
     {"failed: site/intro/intro.swf: The web folder would replace \"site/intro/intro.swf\", "
      "which it is made from\n",
      "ok: movies/packed.swf -> site/packed\n",
      "failed: other/packed.swf: The web folder would replace \"site/packed/packed.swf\", which "
      "this run made from \"movies/packed.swf\"\n"},
     {{"site/intro/intro.swf", kFws},
      {"site/intro/index.html", std::nullopt},
      {"site/packed/packed.swf", kCws}},
     {{"site/intro/intro.swf", kFws}, {"other/packed.swf", kFws}}},
};

// Windows' separators, also escaped in JSON, read as "/".
std::string Slashed(const std::string& text) {
  std::string slashed;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\') {
      slashed += text[at];
      continue;
    }
    slashed += '/';
    if (at + 1 < text.size() && text[at + 1] == '\\') ++at;
  }
  return slashed;
}

// Files go through the system's own calls, which take UTF-8 names on both systems (the test
// program has swivexc.exe's manifest on Windows); the C++ library's name conversions there do
// not.
std::string At(const TempFolder& folder, const std::string& name) {
  return folder.Path().string() + "/" + name;
}

void PutFile(const std::string& name, const Bytes& bytes) {
  SystemFiles files;
  files.RemoveFile(name);
  const FileResult created = files.CreateNewFileExclusive(name);
  ASSERT_NE(created.file, kNoFile) << name;
  const TransferResult written = files.WriteFile(created.file, bytes.data(), bytes.size());
  files.CloseFile(created.file);
  ASSERT_EQ(written.done, bytes.size()) << name;
}

std::optional<Bytes> FileBytes(const std::string& name) {
  SystemFiles files;
  const FileResult opened = files.OpenFileExclusive(name);
  if (opened.file == kNoFile) return std::nullopt;
  Bytes bytes(files.FileSize(opened.file).size);
  const TransferResult read = files.ReadFile(opened.file, bytes.data(), bytes.size());
  files.CloseFile(opened.file);
  bytes.resize(read.done);
  return bytes;
}

void PutFiles(const TempFolder& folder, const std::map<std::string, Bytes>& names) {
  for (const auto& [name, bytes] : names) {
    std::filesystem::create_directories(std::filesystem::path(At(folder, name)).parent_path());
    PutFile(At(folder, name), bytes);
  }
}

void ExpectInOrder(const std::string& text, const std::vector<std::string>& pieces) {
  std::size_t from = 0;
  for (const std::string& piece : pieces) {
    const std::size_t at = text.find(piece, from);
    ASSERT_NE(at, std::string::npos) << "missing \"" << piece << "\" in:\n" << text;
    from = at + piece.size();
  }
}

void ExpectFile(const TempFolder& folder, const ExpectedFile& expected) {
  SCOPED_TRACE(expected.name);
  const std::string name = At(folder, expected.name);
  if (!expected.bytes) {
    EXPECT_FALSE(std::filesystem::exists(name));  // file or folder
    return;
  }
  std::optional<Bytes> found = FileBytes(name);
  ASSERT_TRUE(found.has_value());
  Bytes& bytes = *found;
  if (expected.startOnly) bytes.resize(std::min(bytes.size(), expected.bytes->size()));
  EXPECT_EQ(bytes, *expected.bytes);
}

class SwivexcTest : public ::testing::TestWithParam<Case> {};

TEST_P(SwivexcTest, ReportsEachFileAndLeavesTheExpectedFiles) {
  const Case& c = GetParam();
  TempFolder folder;
  PutFiles(folder, kFiles);
  PutFiles(folder, c.planted);
#ifndef _WIN32
  for (const std::string& name : c.pipes) ASSERT_EQ(::mkfifo(At(folder, name).c_str(), 0666), 0);
#endif
  std::vector<std::unique_ptr<HeldByOtherProcess>> held;
  for (const std::string& name : c.held)
    held.push_back(std::make_unique<HeldByOtherProcess>(At(folder, name)));

  const ProgramResult result = RunProgram(kSwivexc, c.arguments, folder.Path().string());
  held.clear();

  EXPECT_EQ(result.exitCode, c.exitCode) << result.output << result.error;
  ExpectInOrder(Slashed(result.output), c.output);
  if (c.error.empty()) {
    EXPECT_EQ(result.error, "");
  } else {
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
    EXPECT_EQ(std::count(result.error.begin(), result.error.end(), '\n'), 2) << result.error;
  }
  for (const ExpectedFile& file : c.files) ExpectFile(folder, file);
  // Nothing is left behind: no scratch file of a replacement that was refused or done.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path()))
    EXPECT_EQ(entry.path().filename().u8string().find(u8"~swivex-"), std::u8string::npos);
}

INSTANTIATE_TEST_SUITE_P(Commands, SwivexcTest, ::testing::ValuesIn(kCases), TitleAsName<Case>);

// Without --stub, the stub is the Viewhost.exe beside the program.
TEST(SwivexcStub, DefaultStubIsViewhostBesideTheProgram) {
  TempFolder folder;
  const std::string program = folder / std::filesystem::path(kSwivexc).filename().string();
  std::filesystem::copy_file(kSwivexc, program);
  const Bytes viewhost = {'M', 'Z', 'v', 'h'};
  WriteBytes(folder / "Viewhost.exe", viewhost);
  WriteBytes(folder / "m.swf", kFws);

  const ProgramResult result = RunProgram(program, {"build", "m.swf"}, folder.Path().string());

  EXPECT_EQ(result.exitCode, 0) << result.output << result.error;
  EXPECT_EQ(ReadBytes(folder / "m.exe"), Projector(viewhost, kFws));
}

}  // namespace
}  // namespace swivex::testing
