#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/SystemFiles.h"
#include "screensaver/SameContents.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

// The system's files, with reads that move at most `largestRead` bytes each, or fail.
class PieceReadingFiles : public SystemFiles {
 public:
  std::size_t largestRead = SIZE_MAX;
  bool readsFail = false;

  TransferResult ReadFile(NativeFile file, void* buffer, std::size_t count) override {
    if (readsFail) return {0, errors::kSharingViolation};
    return SystemFiles::ReadFile(file, buffer, count < largestRead ? count : largestRead);
  }
};

constexpr std::size_t kPiece = 64 * 1024;  // the size the comparison reads at a time

struct Case {
  const char* name;
  std::size_t size;
  std::optional<std::size_t> changedByte;  // in the second file
  std::size_t extraBytes = 0;              // appended to the second file
};

// Sizes and differences at the edges of the pieces that the comparison reads.
const Case kCases[] = {
    {"two empty files", 0, std::nullopt},
    {"one byte", 1, std::nullopt},
    {"one byte that differs", 1, 0},
    {"a piece less one byte", kPiece - 1, std::nullopt},
    {"a whole piece", kPiece, std::nullopt},
    {"a whole piece whose last byte differs", kPiece, kPiece - 1},
    {"a piece and one byte", kPiece + 1, std::nullopt},
    {"a piece and one byte, the last differs", kPiece + 1, kPiece},
    {"three pieces and more, the first byte differs", 3 * kPiece + 5, 0},
    {"three pieces and more, the last byte differs", 3 * kPiece + 5, 3 * kPiece + 4},
    {"three pieces and more, alike", 3 * kPiece + 5, std::nullopt},
    {"a piece and one byte more", kPiece, std::nullopt, 1},
    {"empty and one byte", 0, std::nullopt, 1},
};

TEST(HoldSameBytes, ComparesSizesAndEveryByteAcrossPieces) {
  TempFolder folder;
  for (std::size_t largestRead : {SIZE_MAX, std::size_t{1000}}) {
    PieceReadingFiles files;
    files.largestRead = largestRead;
    for (const Case& c : kCases) {
      SCOPED_TRACE(std::string(c.name) + (largestRead == SIZE_MAX ? "" : ", short reads"));
      const Bytes first = RandomBytes(c.size, 1);
      Bytes second = first;
      if (c.changedByte) second[*c.changedByte] ^= 0x80;
      second.resize(second.size() + c.extraBytes, 0);
      WriteBytes(folder / "first", first);
      WriteBytes(folder / "second", second);
      const bool alike = !c.changedByte && c.extraBytes == 0;

      EXPECT_EQ(HoldSameBytes(folder / "first", folder / "second", files), alike);
      EXPECT_EQ(HoldSameBytes(folder / "second", folder / "first", files), alike);
    }
  }
}

TEST(HoldSameBytes, FilesThatCannotBeReadCountAsDifferent) {
  TempFolder folder;
  const Bytes bytes = RandomBytes(100, 2);
  WriteBytes(folder / "first", bytes);
  WriteBytes(folder / "second", bytes);
  PieceReadingFiles files;
  ASSERT_TRUE(HoldSameBytes(folder / "first", folder / "second", files));

  EXPECT_FALSE(HoldSameBytes(folder / "first", folder / "missing", files));
  EXPECT_FALSE(HoldSameBytes(folder / "missing", folder / "second", files));
  EXPECT_FALSE(HoldSameBytes(folder / "first", folder / "first", files))
      << "one file under two names is held by the first open";
  files.readsFail = true;
  EXPECT_FALSE(HoldSameBytes(folder / "first", folder / "second", files));
}

}  // namespace
}  // namespace swivex::testing
