#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "swf/ByteSource.h"
#include "swf/Picture.h"
#include "swf/SwfError.h"
#include "swf/SwfHeader.h"

namespace swivex::swf {

class UncompressedMovie;

// The flags of the FileAttributes tag.
struct FileAttributes {
  bool actionScript3 = false;
  bool useNetwork = false;
  bool hasMetadata = false;
  bool useDirectBlit = false;
  bool useGpu = false;
};

// What a walk over the tags found.
struct MovieSummary {
  SwfHeader header;
  std::optional<FileAttributes> fileAttributes;
  // How many tags of each type, by tag code; the End tag included.
  std::map<std::uint16_t, std::uint64_t> tagCounts;
  // Every picture, in the movie's order.
  std::vector<PictureInfo> pictures;
  // WalkUntilDefect only: the defect that ended the walk, which found the above before it.
  std::optional<ESwfError> defect;
};

// Receives the pictures of a walk one at a time, so that the caller keeps what it wants.
class PictureVisitor {
 public:
  virtual ~PictureVisitor() = default;
  // Called when a picture tag starts, with what its fields say (the format and the size of
  // JPEG, PNG and GIF data are not known yet); true reads its bytes and hands them to Take.
  virtual bool Wants(const PictureInfo& fields) = 0;
  virtual void Take(Picture picture) = 0;
  // Called instead of Take for a wanted picture whose bytes the walk does not hand over: one
  // stored in more than kMaxPictureBytes, or DefineBits data after JPEG tables too long to keep.
  // The walk goes on with the next tag unless this raises, as it does unless overridden.
  virtual void Refuse(const PictureInfo& /*picture*/, const ESwfError& reason) { throw reason; }
};

// Reads a movie from a source front to back: the header on construction, the tags on Walk.
// The source is read no further than each step needs; a damaged, truncated or lying movie
// raises ESwfError naming the offset.
class MovieReader {
 public:
  // The most pictures that a walk lists: character ids are 16-bit.
  static constexpr std::size_t kMaxPictures = 65536;
  // The longest JPEGTables tag that a walk keeps for DefineBits pictures.
  static constexpr std::uint32_t kMaxJpegTables = 64 * 1024;

  explicit MovieReader(ByteSource& file);
  MovieReader(const MovieReader&) = delete;
  MovieReader& operator=(const MovieReader&) = delete;
  ~MovieReader();

  const SwfHeader& Header() const;

  // Walks every tag up to the End tag and checks that the movie ends at its declared length.
  // Without a visitor no picture bytes are kept. A reader walks once, by either of these.
  MovieSummary Walk(PictureVisitor* visitor = nullptr);
  // The same walk, which a defect ends without raising: the summary tells what was found before
  // it and the defect. Errors of the source itself, and running out of memory, still raise.
  MovieSummary WalkUntilDefect(PictureVisitor* visitor = nullptr);

 private:
  std::unique_ptr<UncompressedMovie> movie_;
  bool walked_ = false;
};

// The header alone: a few kilobytes of the source, however long the movie.
SwfHeader ReadHeader(ByteSource& file);

}  // namespace swivex::swf
