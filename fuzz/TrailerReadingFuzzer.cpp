// Feeds the player stub's reading of its own file arbitrary files, in memory. The first byte
// limits how many bytes each read moves (0: no limit); the rest is the stub's own file.
//
// Whatever the file, the reading succeeds, closes the file, and finds a movie exactly when the
// file ends in the marker 56 34 12 FA and a length that fits in front of it: the movie is then
// the bytes right in front of the trailer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "playback/FileSystem.h"
#include "player-stub/OwnMovie.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr char kOwnPath[] = "C:\\Games\\intro.exe";
constexpr swivex::FileHandle kOwnFile = 7;

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

// The stub's own file in memory; it is only ever found, opened, measured, read and closed.
class OwnFileSystem final : public swivex::FileSystem {
 public:
  OwnFileSystem(Bytes file, std::uint32_t largestRead)
      : file_(std::move(file)), largestRead_(largestRead) {}

  bool open = false;
  int opens = 0;

  swivex::FileError OwnPath(swivex::BoundedText& path) override {
    path.Append(kOwnPath);
    return swivex::file_errors::kNone;
  }
  swivex::FileError OpenForReading(const char* path, swivex::FileHandle& file) override {
    Check(std::strcmp(path, kOwnPath) == 0, "the stub opens its own file");
    Check(!open, "the stub opens its file once");
    open = true;
    ++opens;
    file = kOwnFile;
    return swivex::file_errors::kNone;
  }
  swivex::FileError FileSize(swivex::FileHandle file, std::uint64_t& size) override {
    Check(file == kOwnFile && open, "the size of the open file");
    size = file_.size();
    return swivex::file_errors::kNone;
  }
  swivex::FileError Seek(swivex::FileHandle file, std::uint64_t offset) override {
    Check(file == kOwnFile && open, "a seek in the open file");
    position_ = offset;
    return swivex::file_errors::kNone;
  }
  swivex::FileError Read(swivex::FileHandle file, void* buffer, std::uint32_t count,
                         std::uint32_t& done) override {
    Check(file == kOwnFile && open, "a read of the open file");
    done = 0;
    if (position_ < file_.size()) {
      std::uint64_t left = file_.size() - position_;
      if (largestRead_ != 0 && left > largestRead_) left = largestRead_;
      done = static_cast<std::uint32_t>(left < count ? left : count);
    }
    std::memcpy(buffer, file_.data() + position_, done);
    position_ += done;
    return swivex::file_errors::kNone;
  }
  swivex::FileError Close(swivex::FileHandle file) override {
    Check(file == kOwnFile && open, "the open file is closed");
    open = false;
    return swivex::file_errors::kNone;
  }

  // The reading never creates, writes, renames or deletes anything.
  swivex::FileError TempFolder(swivex::BoundedText&) override { return Refused(); }
  swivex::FileError CreateFolder(const char*) override { return Refused(); }
  swivex::FileError CreateNewFile(const char*, swivex::FileHandle&) override { return Refused(); }
  swivex::FileError Write(swivex::FileHandle, const void*, std::uint32_t, std::uint32_t&) override {
    return Refused();
  }
  swivex::FileError Flush(swivex::FileHandle) override { return Refused(); }
  swivex::FileError OpenBelow(const char*, const char*, swivex::FileHandle&) override {
    return Refused();
  }
  swivex::FileError Rename(const char*, const char*) override { return Refused(); }
  swivex::FileError Delete(const char*) override { return Refused(); }
  bool IsLeadByte(unsigned char) override { return false; }
  void AppendErrorText(swivex::BoundedText& text, swivex::FileError) override {
    text.Append("error");
  }

 private:
  static swivex::FileError Refused() {
    Check(false, "the reading only reads");
    return swivex::file_errors::kAccessDenied;
  }

  Bytes file_;
  std::uint32_t largestRead_;
  std::uint64_t position_ = 0;
};

// Where the format says the movie lies: the trailer is the last eight bytes, the marker
// 56 34 12 FA and the movie's length, little-endian; the movie lies right in front of it.
std::optional<swivex::MovieLocation> CarriedMovie(const Bytes& file) {
  if (file.size() < 8) return std::nullopt;
  const unsigned char* trailer = file.data() + file.size() - 8;
  if (trailer[0] != 0x56 || trailer[1] != 0x34 || trailer[2] != 0x12 || trailer[3] != 0xFA)
    return std::nullopt;
  const std::uint32_t length = trailer[4] | trailer[5] << 8 | trailer[6] << 16 |
                               static_cast<std::uint32_t>(trailer[7]) << 24;
  if (length > file.size() - 8) return std::nullopt;
  return swivex::MovieLocation{file.size() - 8 - length, length};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Bytes file(data + 1, data + size);
  OwnFileSystem system(file, data[0]);
  bool opened = false;
  std::optional<swivex::MovieLocation> movie;
  {
    swivex::OwnMovie own;
    swivex::BoundedText failure;
    opened = swivex::OpenOwnMovie(system, own, failure);
    movie = own.movie;
  }
  Check(opened, "a file that can be read is read");
  Check(system.opens == 1 && !system.open, "the file is opened once and closed");
  Check(movie == CarriedMovie(file), "the movie is where the trailer says");
  return 0;
}
