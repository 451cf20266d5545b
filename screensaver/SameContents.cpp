#include "screensaver/SameContents.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/Files.h"

namespace swivex {

namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

// A file open for reading, closed on every way out.
class ReadableFile {
 public:
  ReadableFile(const std::string& name, Files& files)
      : file_(files.OpenFileExclusive(name).file), files_(files) {}
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;
  ~ReadableFile() {
    if (file_ != kNoFile) files_.CloseFile(file_);
  }

  bool IsOpen() const { return file_ != kNoFile; }

  // False if the system cannot tell the size.
  bool Size(std::uint64_t& size) const {
    const SizeResult result = files_.FileSize(file_);
    size = result.size;
    return result.error == 0;
  }

  // Fills the whole of `buffer`; false on an error or an end that comes early.
  bool ReadFull(unsigned char* buffer, std::size_t count) const {
    while (count != 0) {
      const TransferResult read = files_.ReadFile(file_, buffer, count);
      if (read.error != 0 || read.done == 0) return false;
      buffer += read.done;
      count -= read.done;
    }
    return true;
  }

 private:
  NativeFile file_;
  Files& files_;
};

}  // namespace

bool HoldSameBytes(const std::string& first, const std::string& second, Files& files) {
  const ReadableFile a(first, files);
  if (!a.IsOpen()) return false;
  // Exclusive, so a name that denotes the first file again is not opened twice: that counts as
  // different, and the caller's copy copies the file onto itself.
  const ReadableFile b(second, files);
  if (!b.IsOpen()) return false;
  std::uint64_t size = 0, otherSize = 0;
  if (!a.Size(size) || !b.Size(otherSize) || size != otherSize) return false;
  std::vector<unsigned char> pieceOfA(kPieceSize), pieceOfB(kPieceSize);
  for (std::uint64_t left = size; left != 0;) {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(left, kPieceSize));
    if (!a.ReadFull(pieceOfA.data(), count) || !b.ReadFull(pieceOfB.data(), count) ||
        std::memcmp(pieceOfA.data(), pieceOfB.data(), count) != 0)
      return false;
    left -= count;
  }
  return true;
}

}  // namespace swivex
