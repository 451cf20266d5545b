// Feeds ExtractMovie arbitrary files, in memory so that a run costs no system call. The first
// byte sets the scene: bit 0 puts an older file at the target, bits 1 to 7 limit how many bytes
// each read and write moves, in steps of 16 (0: no limit). The rest is the file to extract from.
//
// Whatever the file, the operation returns a message or raises an error report, never modifies
// its source, closes every file and leaves nothing but the source and the target. It succeeds
// exactly when the file ends in the marker 56 34 12 FA and a length that fits in front of it, and
// the target is then exactly the bytes in front of the trailer; otherwise a file that ends
// without the marker is reported as unknown, and the target stays as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/Exceptions.h"
#include "fuzz/MemoryFiles.h"
#include "projector/Conversions.h"

namespace {

using swivex::fuzzing::Bytes;

const std::string kBundle = "/work/intro.exe";
const std::string kTarget = "/work/intro.swf";
const Bytes kOlderTarget = {'o', 'l', 'd', 'e', 'r'};

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

// The movie that the format says `file` carries: the trailer is the last eight bytes, the marker
// 56 34 12 FA and the movie's length, little-endian; the movie lies right in front of it.
std::optional<Bytes> CarriedMovie(const Bytes& file) {
  if (file.size() < 8) return std::nullopt;
  const unsigned char* trailer = file.data() + file.size() - 8;
  if (trailer[0] != 0x56 || trailer[1] != 0x34 || trailer[2] != 0x12 || trailer[3] != 0xFA)
    return std::nullopt;
  const std::uint64_t length = trailer[4] | trailer[5] << 8 | trailer[6] << 16 |
                               static_cast<std::uint64_t>(trailer[7]) << 24;
  if (length > file.size() - 8) return std::nullopt;
  return Bytes(trailer - length, trailer);
}

bool EndsInMarker(const Bytes& file) {
  return file.size() >= 8 && file[file.size() - 8] == 0x56 && file[file.size() - 7] == 0x34 &&
         file[file.size() - 6] == 0x12 && file[file.size() - 5] == 0xFA;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool olderTarget = (data[0] & 1) != 0;
  const Bytes bundle(data + 1, data + size);

  swivex::fuzzing::MemoryFiles files;
  // Steps of 16 bytes keep a run of a few thousand bytes to a few hundred transfers.
  files.largestTransfer = std::size_t{data[0]} / 2 * 16;
  files.files[kBundle] = bundle;
  if (olderTarget) files.files[kTarget] = kOlderTarget;

  std::string result;
  bool raised = false;
  try {
    result = swivex::ExtractMovie(kBundle, kTarget, files);
  } catch (const swivex::Exception& error) {
    raised = true;
    Check(!error.Message().empty(), "an error report has text");
  }

  Check(files.OpenFiles() == 0, "every file is closed");
  Check(files.files[kBundle] == bundle, "the source is unchanged");
  const std::optional<Bytes> movie = CarriedMovie(bundle);
  if (movie) {
    Check(!raised && result == swivex::kConvertedMessage, "a projector converts");
    Check(files.files[kTarget] == *movie, "the target is the bytes in front of the trailer");
  } else {
    Check(raised || result == swivex::kUnknownProjectorMessage, "no success without a movie");
    if (bundle.size() >= 8 && !EndsInMarker(bundle))
      Check(!raised, "a file without the marker is reported as unknown");
    if (olderTarget) {
      Check(files.files[kTarget] == kOlderTarget, "an older target stays");
    } else {
      Check(files.files.count(kTarget) == 0, "no target without success");
    }
  }
  Check(files.files.size() == (movie || olderTarget ? 2u : 1u), "no scratch file remains");
  return 0;
}
