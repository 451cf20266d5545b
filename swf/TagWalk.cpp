#include "swf/TagWalk.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "swf/LittleEndian.h"
#include "swf/PictureTags.h"
#include "swf/SwfError.h"
#include "swf/TagBody.h"

namespace swivex::swf {
namespace {

constexpr std::uint16_t kEndTag = 0;
constexpr std::uint16_t kJpegTablesTag = 8;
constexpr std::uint16_t kFileAttributesTag = 69;
constexpr std::uint16_t kLongLength = 0x3F;

// The tags that the walk reads beyond their header.
constexpr std::array<bool, 1024> kTagsRead = [] {
  std::array<bool, 1024> read{};
  for (const std::uint16_t code : {kEndTag, kJpegTablesTag, kFileAttributesTag}) read[code] = true;
  for (const PictureTag tag : {PictureTag::kDefineBits, PictureTag::kDefineBitsLossless,
                               PictureTag::kDefineBitsJpeg2, PictureTag::kDefineBitsJpeg3,
                               PictureTag::kDefineBitsLossless2, PictureTag::kDefineBitsJpeg4}) {
    read[static_cast<std::uint16_t>(tag)] = true;
  }
  return read;
}();

FileAttributes ReadFileAttributes(TagBody& body) {
  const std::uint8_t flags = body.ReadU8("flags");
  FileAttributes attributes;
  attributes.useDirectBlit = (flags & 0x40) != 0;
  attributes.useGpu = (flags & 0x20) != 0;
  attributes.hasMetadata = (flags & 0x10) != 0;
  attributes.actionScript3 = (flags & 0x08) != 0;
  attributes.useNetwork = (flags & 0x01) != 0;
  return attributes;
}

class TagWalker {
 public:
  TagWalker(MovieStream& movie, PictureVisitor* visitor, MovieSummary& summary)
      : movie_(movie), visitor_(visitor), summary_(summary) {}

  // The summary's tag counts, whichever way the walk ended.
  void ReportCounts() {
    for (const std::uint16_t code : codesSeen_) summary_.tagCounts[code] = counts_[code];
  }

  void Run() {
    for (;;) {
      PassOverUnreadTags();
      if (movie_.Remaining() == 0) {
        throw ESwfError(movie_.Offset(), "the movie reaches its declared length of " +
                                             std::to_string(movie_.DeclaredLength()) +
                                             " bytes without an End tag");
      }
      TagBody body = NextTag(movie_);
      const std::uint16_t code = body.Code();
      if (counts_[code]++ == 0) codesSeen_.push_back(code);
      if (code == kEndTag) {
        body.SkipRest();
        movie_.ExpectEnd();
        return;
      }
      Handle(body);
      body.SkipRest();
    }
  }

 private:
  // Most tags are only counted. Those that lie whole in the bytes read ahead, which lie inside
  // the declared length, are counted and passed over here, at a few operations a tag; the rest
  // go the long way, which also names what is wrong with a tag.
  void PassOverUnreadTags() {
    const std::span<const std::uint8_t> bytes = movie_.Buffered();
    std::size_t at = 0;
    while (bytes.size() - at >= 2) {
      const std::uint16_t codeAndLength = LittleEndian16(bytes.data() + at);
      const std::uint16_t code = codeAndLength >> 6;
      std::size_t length = codeAndLength & kLongLength;
      std::size_t header = 2;
      if (length == kLongLength) {
        if (bytes.size() - at < 6) break;
        length = LittleEndian32(bytes.data() + at + 2);
        header = 6;
      }
      if (kTagsRead[code] || length > bytes.size() - at - header) break;
      if (counts_[code]++ == 0) codesSeen_.push_back(code);
      at += header + length;
    }
    movie_.Consume(at);
  }

  void Handle(TagBody& body) {
    if (body.Code() == kFileAttributesTag) {
      summary_.fileAttributes = ReadFileAttributes(body);
    } else if (body.Code() == kJpegTablesTag) {
      KeepJpegTables(body);
    } else if (const auto tag = AsPictureTag(body.Code())) {
      ReadPicture(body, *tag);
    }
  }

  // Tables too long to keep spoil only the DefineBits pictures that would use them.
  void KeepJpegTables(TagBody& body) {
    if (visitor_ == nullptr) return;
    jpegTables_.clear();
    tablesRefusal_.reset();
    if (body.Remaining() > MovieReader::kMaxJpegTables) {
      tablesRefusal_.emplace(body.TagOffset(), body.Describe() + " holds " +
                                                   std::to_string(body.Remaining()) +
                                                   " bytes, more than JPEG tables take");
      return;
    }
    body.Append(jpegTables_, body.Remaining(), "JPEG tables");
  }

  void ReadPicture(TagBody& body, PictureTag tag) {
    if (summary_.pictures.size() == MovieReader::kMaxPictures) {
      throw ESwfError(
          body.TagOffset(),
          "the movie defines more than " + std::to_string(MovieReader::kMaxPictures) + " pictures");
    }
    const PictureInfo fields = ReadPictureFields(body, tag);
    if (visitor_ == nullptr || !visitor_->Wants(fields)) {
      summary_.pictures.push_back(ProbePictureInPassing(body, fields));
    } else if (const auto refusal = RefusalOf(fields)) {
      summary_.pictures.push_back(ProbePictureInPassing(body, fields));
      visitor_->Refuse(summary_.pictures.back(), *refusal);
    } else {
      Picture picture = ReadPictureBytes(body, fields, jpegTables_);
      summary_.pictures.push_back(picture.info);
      visitor_->Take(std::move(picture));
    }
  }

  std::optional<ESwfError> RefusalOf(const PictureInfo& fields) const {
    if (fields.tag == PictureTag::kDefineBits && tablesRefusal_) return tablesRefusal_;
    return TooLargeToKeep(fields);
  }

  MovieStream& movie_;
  PictureVisitor* visitor_;
  MovieSummary& summary_;
  std::vector<std::uint8_t> jpegTables_;
  std::optional<ESwfError> tablesRefusal_;
  // By the tag header's 10-bit code: a movie may hold millions of tags.
  std::array<std::uint64_t, 1024> counts_{};
  std::vector<std::uint16_t> codesSeen_;
};

}  // namespace

void WalkTags(MovieStream& movie, PictureVisitor* visitor, MovieSummary& summary) {
  TagWalker walker(movie, visitor, summary);
  try {
    walker.Run();
  } catch (...) {
    walker.ReportCounts();
    throw;
  }
  walker.ReportCounts();
}

}  // namespace swivex::swf
