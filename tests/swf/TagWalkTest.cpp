#include <gtest/gtest.h>
#include <lzma.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "swf/ExpansionLimit.h"
#include "swf/LzmaSource.h"
#include "swf/MovieReader.h"
#include "swf/SwfError.h"
#include "tests/support/TestFiles.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::swf::testing {
namespace {

MovieSummary Summarize(const Bytes& file) {
  MemorySource source(file);
  return MovieReader(source).Walk();
}

// A movie with a bit of everything the walk reports.
MovieBuilder SampleMovie() {
  return MovieBuilder()
      .Tag(69, {0x09, 0, 0, 0})  // FileAttributes: ActionScript 3, UseNetwork
      .Tag(9, {0xFF, 0xFF, 0xFF})
      .LongTag(1, {})  // a long header for a short tag
      .Tag(20, Le16(7) + Bytes{5} + Le16(2) + Le16(1) + ZlibCompress(Bytes(8, 0x40)))
      .Tag(21, Le16(8) + Bytes{'G', 'I', 'F', '8', '9', 'a', 5, 0, 7, 0, 0})
      .Tag(1, {})
      .End();
}

TEST(TagWalk, EveryCompressionGivesTheSameSummary) {
  const MovieBuilder movie = SampleMovie();
  for (const Bytes& file : {movie.Fws(), movie.Cws(), movie.Zws()}) {
    SCOPED_TRACE(file[0]);
    const MovieSummary summary = Summarize(file);
    ASSERT_TRUE(summary.fileAttributes.has_value());
    EXPECT_TRUE(summary.fileAttributes->actionScript3);
    EXPECT_TRUE(summary.fileAttributes->useNetwork);
    EXPECT_FALSE(summary.fileAttributes->hasMetadata);
    const std::map<std::uint16_t, std::uint64_t> counts = {{0, 1},  {1, 2},  {9, 1},
                                                           {20, 1}, {21, 1}, {69, 1}};
    EXPECT_EQ(summary.tagCounts, counts);
    ASSERT_EQ(summary.pictures.size(), 2u);
    const PictureInfo& lossless = summary.pictures[0];
    EXPECT_EQ(lossless.characterId, 7);
    EXPECT_EQ(lossless.tag, PictureTag::kDefineBitsLossless);
    EXPECT_EQ(lossless.format, ImageFormat::kLossless);
    EXPECT_EQ(lossless.losslessFormat, 5);
    EXPECT_EQ(lossless.size, (PixelSize{2, 1}));
    EXPECT_EQ(lossless.tagOffset, 38u);  // behind tags of 6, 5 and 6 bytes
    EXPECT_EQ(lossless.dataOffset, lossless.tagOffset + 2 + 7);
    const PictureInfo& gif = summary.pictures[1];
    EXPECT_EQ(gif.characterId, 8);
    EXPECT_EQ(gif.format, ImageFormat::kGif);
    EXPECT_EQ(gif.size, (PixelSize{5, 7}));
    EXPECT_EQ(gif.dataLength, 11u);
  }
}

TEST(TagWalk, ASummaryReadsPictureSizesInPassing) {
  const Bytes jpeg = {0xFF, 0xD9, 0xFF, 0xD8, 0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x4A,
                      0x46, 0xFF, 0xC2, 0x00, 0x0B, 0x08, 0x01, 0x2C, 0x02, 0x58, 0x01,
                      0x01, 0x11, 0x00, 0xFF, 0xDA, 0x00, 0x02, 0x00, 0xFF, 0xD9};
  const Bytes noFrame = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x00, 0xFF, 0xD9};
  const Bytes png = PngFile(70000, 3, 0, {});
  const MovieSummary summary = Summarize(
      MovieBuilder()
          .Tag(21, Le16(1) + jpeg)
          .Tag(21, Le16(2) + noFrame)
          .LongTag(90, Le16(3) + Le32(static_cast<std::uint32_t>(png.size())) + Le16(0) + png)
          .End()
          .Cws());
  ASSERT_EQ(summary.pictures.size(), 3u);
  EXPECT_EQ(summary.pictures[0].format, ImageFormat::kJpeg);
  EXPECT_EQ(summary.pictures[0].size, (PixelSize{600, 300}));
  EXPECT_EQ(summary.pictures[1].format, ImageFormat::kJpeg);
  EXPECT_FALSE(summary.pictures[1].size.has_value());
  EXPECT_EQ(summary.pictures[2].format, ImageFormat::kPng);
  EXPECT_EQ(summary.pictures[2].size, (PixelSize{70000, 3}));
  EXPECT_FALSE(summary.pictures[2].hasAlpha);
}

TEST(TagWalk, MovieWithoutFileAttributesHasNone) {
  EXPECT_FALSE(Summarize(MovieBuilder().End().Fws()).fileAttributes.has_value());
  const MovieSummary other = Summarize(MovieBuilder().Tag(69, {0x10, 0, 0, 0}).End().Fws());
  EXPECT_FALSE(other.fileAttributes->actionScript3);
  EXPECT_FALSE(other.fileAttributes->useNetwork);
  EXPECT_TRUE(other.fileAttributes->hasMetadata);
}

TEST(TagWalk, BytesAfterTheEndTagUpToTheDeclaredLengthAreAccepted) {
  const MovieBuilder movie = MovieBuilder().End().Raw({0, 0, 0});
  for (const Bytes& file : {movie.Fws(), movie.Cws(), movie.Zws()}) {
    EXPECT_EQ(Summarize(file).tagCounts.at(0), 1u) << file[0];
  }
}

// DefineBitsJPEG2 tags of no data, with character ids 0, 1, 2, ...: 4 bytes each.
MovieBuilder ManyPictures(std::uint32_t count) {
  Bytes tags;
  for (std::uint32_t id = 0; id < count; ++id) {
    for (const Bytes& field : {Le16(21 << 6 | 2), Le16(static_cast<std::uint16_t>(id))})
      tags.insert(tags.end(), field.begin(), field.end());
  }
  return MovieBuilder().Raw(tags);
}

struct Lie {
  const char* name;
  Bytes file;
  std::uint64_t offset;
  const char* text;
};

TEST(TagWalk, LyingAndDamagedMoviesAreErrorsAtTheirOffset) {
  const MovieBuilder end = MovieBuilder().End();
  const MovieBuilder endAndMore = MovieBuilder().End().Raw({1, 2, 3, 4, 5});
  Bytes badZlib = end.Cws();
  badZlib[8] ^= 0x01;  // the zlib header's check fails
  Bytes badProperties = end.Zws();
  badProperties[12] = 225;  // lc/lp/pb past their range
  Bytes hugeDictionary = MovieBuilder().Raw(Bytes(4096, 0)).Zws(1u << 30);
  for (int i = 13; i < 17; ++i) hugeDictionary[i] = 0xFF;
  // A zlib stream that stores the frame fields and a tag of 5000 bytes, then holds a block of an
  // undefined type: the damage starts behind them, at offset 8 + 13 + 6 + 5000, after reads of
  // a few kilobytes each.
  const Bytes stored = MovieBuilder().LongTag(2, Bytes(5000, 7)).Body();
  const auto storedLength = static_cast<std::uint16_t>(stored.size());
  const Bytes damagedLater = Bytes{'C', 'W', 'S', 10} + Le32(8 + storedLength + 2) +
                             Bytes{0x78, 0x01, 0x00} + Le16(storedLength) +
                             Le16(static_cast<std::uint16_t>(~storedLength)) + stored + Bytes{0x07};

  // A megabyte of zeros compresses to a few hundred bytes, all read at once: the body may hold
  // 256 times those and 4 KiB more, counted from offset 8.
  const MovieBuilder zeros = MovieBuilder().LongTag(87, Bytes(1 << 20, 0)).End();
  const Bytes zlibBomb = zeros.Cws();
  const Bytes lzmaBomb = zeros.Zws();
  const Lie lies[] = {
      {"tag longer than the movie", MovieBuilder().Raw(Le16(2 << 6 | 10) + Le16(0)).Fws(), 21,
       "claims 10 bytes"},
      {"long tag longer than the movie",
       MovieBuilder().Raw(Le16(2 << 6 | 0x3F) + Le32(0xFFFFFFFF)).End().Fws(), 21,
       "claims 4294967295 bytes"},
      {"long tag header cut by the declared length",
       MovieBuilder().Raw(Le16(2 << 6 | 0x3F) + Le16(5)).Fws(), 23, "a long tag header"},
      {"no End tag", MovieBuilder().Tag(1, {}).Fws(), 23, "without an End tag"},
      {"FWS shorter than declared", end.Fws(33), 23, "ends before its declared length of 33"},
      {"CWS shorter than declared", end.Cws(33), 23, "ends before its declared length of 33"},
      {"ZWS shorter than declared", end.Zws(33), 23, "ends before its declared length of 33"},
      {"FWS longer than declared", endAndMore.Fws(23), 23, "goes on past its declared length"},
      {"CWS inflates past the declared length", endAndMore.Cws(23), 23,
       "goes on past its declared length"},
      {"damaged zlib data", badZlib, 8, "compressed data is damaged"},
      {"zlib data damaged after earlier reads", damagedLater, 5027,
       "compressed data is damaged (zlib: invalid block type)"},
      {"zlib data that expand more than 256 times", zlibBomb,
       8 + 256 * (zlibBomb.size() - 8) + 4096, "compressed data expand more than 256 times"},
      {"LZMA data that expand more than 256 times", lzmaBomb,
       8 + 256 * (lzmaBomb.size() - 17) + 4096, "compressed data expand more than 256 times"},
      {"more pictures than character ids", ManyPictures(65537).End().Fws(), kFirstTag + 65536 * 4,
       "the movie defines more than 65536 pictures"},
      {"invalid LZMA properties", badProperties, 8, "LZMA properties are invalid"},
      {"LZMA dictionary past the memory limit", hugeDictionary, 8, "more than 256 MiB"},
      {"picture tag too short for its fields", MovieBuilder().Tag(20, {1, 0, 3}).End().Fws(), 26,
       "ends before its width"},
      {"alpha data past the tag's end",
       MovieBuilder().Tag(35, Le16(1) + Le32(100) + Bytes{0xFF, 0xD8, 0xFF}).End().Fws(), 25,
       "puts its alpha data at 100 bytes"},
      {"15-bit format in DefineBitsLossless2",
       MovieBuilder().Tag(36, Le16(1) + Bytes{4} + Le16(1) + Le16(1)).End().Fws(), 25,
       "bitmap format 4"},
      {"unknown lossless format",
       MovieBuilder().Tag(20, Le16(1) + Bytes{6} + Le16(1) + Le16(1)).End().Fws(), 25,
       "bitmap format 6"},
  };
  for (const Lie& lie : lies) {
    SCOPED_TRACE(lie.name);
    try {
      Summarize(lie.file);
      ADD_FAILURE() << "accepted";
    } catch (const ESwfError& error) {
      EXPECT_EQ(error.Offset(), lie.offset) << error.what();
      EXPECT_NE(std::string(error.what()).find(lie.text), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(Summarize(ManyPictures(65536).End().Fws()).pictures.size(), 65536u);
}

// The LZMA decoder stops at the declared length, so a ZWS body that goes on is cut there.
TEST(TagWalk, ZwsIsReadUpToItsDeclaredLength) {
  const Bytes file = MovieBuilder().End().Raw({1, 2, 3, 4, 5}).Zws(23);
  EXPECT_EQ(Summarize(file).tagCounts.at(0), 1u);
}

// The decoder's dictionary follows the bytes decoded, not what the properties ask for nor the
// declared length, up to the smaller of those two; bytes that refer back further than the
// dictionary it had come out right, and those that refer back further than the properties'
// dictionary are damage at their offset. A dictionary that, with what liblzma's decoder takes
// beside it, needs more than 256 MiB is refused before anything is decoded.
TEST(TagWalk, TheLzmaDictionaryGrowsWithTheBytesDecoded) {
  const Bytes noise = swivex::testing::RandomBytes(300000, 5);
  const Bytes plain = noise + noise;  // the second half a match 300000 bytes back
  const Bytes lzma = LzmaPropertiesAndData(plain);
  ASSERT_EQ(lzma[0], 93);  // lc 3, lp 0, pb 2
  const Bytes data(lzma.begin() + 5, lzma.end());
  lzma_options_lzma options{};
  options.lc = 3;
  options.pb = 2;
  options.dict_size = 1u << 20;
  const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
  const auto largest =
      static_cast<std::uint32_t>((256u << 20) - (lzma_raw_decoder_memusage(filters) - (1u << 20)));
  struct Case {
    std::uint32_t asked;
    std::uint64_t declared;
    std::size_t read;
    std::uint32_t dictionary;
    std::uint64_t failsAt;  // 0: the read succeeds
    const char* failure;
  };
  const Case cases[] = {
      {8u << 20, 1u << 30, 600000, 1u << 20, 0, ""},
      {8u << 20, 600000, 600000, 600000, 0, ""},
      {8u << 20, 1u << 30, 65536, 65536, 0, ""},
      {8u << 20, 1u << 30, 65537, 262144, 0, ""},
      {300000, 1u << 30, 600000, 300000, 0, ""},
      {262144, 1u << 30, 600000, 0, 8 + 300000, "LZMA data is damaged"},
      {largest, 1u << 30, 600000, 1u << 20, 0, ""},
      {largest + 1, 1u << 30, 0, 0, 8, "needs more than 256 MiB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.asked) + " " + std::to_string(c.read));
    std::array<std::uint8_t, 5> properties{lzma[0]};
    const Bytes asked = Le32(c.asked);
    std::copy(asked.begin(), asked.end(), properties.begin() + 1);
    MemorySource source(data);
    try {
      LzmaSource decoded(source, properties, c.declared, 8);
      EXPECT_EQ(decoded.DictionarySize(), 65536u);
      Bytes out(c.read);
      ASSERT_EQ(ReadUpTo(decoded, out.data(), c.read), c.read);
      EXPECT_TRUE(std::equal(out.begin(), out.end(), plain.begin()));
      EXPECT_EQ(decoded.DictionarySize(), c.dictionary);
      EXPECT_EQ(c.failsAt, 0u) << "accepted";
    } catch (const ESwfError& error) {
      EXPECT_EQ(error.Offset(), c.failsAt) << error.what();
      EXPECT_NE(std::string(error.what()).find(c.failure), std::string::npos) << error.what();
    }
  }
}

// The reader takes the body 4 KiB at a time from offset 8; a tag header, short or long, of a tag
// that the walk reads or only counts, may lie across two of those reads.
TEST(TagWalk, TagHeadersAcrossTheReadersBlocksAreReadWhole) {
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 5, 0, 7, 0};
  for (std::size_t pad = 4066; pad <= 4080; ++pad) {
    // The second tag starts at 21 + 6 + pad, from 4093 to 4107, around the first read's end at
    // 4104; the third 9 bytes later.
    const MovieBuilder movie = MovieBuilder()
                                   .LongTag(2, Bytes(pad, 0))
                                   .LongTag(9, {1, 2, 3})
                                   .Tag(21, Le16(1) + gif)
                                   .LongTag(21, Le16(2) + gif)
                                   .End();
    for (const Bytes& file : {movie.Fws(), movie.Cws(), movie.Zws()}) {
      SCOPED_TRACE(::testing::Message() << file[0] << " " << pad);
      const MovieSummary summary = Summarize(file);
      EXPECT_EQ(summary.tagCounts.at(9), 1u);
      ASSERT_EQ(summary.pictures.size(), 2u);
      EXPECT_EQ(summary.pictures[0].tagOffset, 27 + pad + 9);
      EXPECT_EQ(summary.pictures[1].size, (PixelSize{5, 7}));
    }
  }
}

TEST(TagWalk, ABodyExpandsUpTo256TimesItsCompressedBytesAnd4KiB) {
  const Bytes compressed(10, 1);
  MemorySource compressedSource(compressed);
  CountingSource counted(compressedSource);
  std::uint8_t taken[10];
  ASSERT_EQ(counted.Read(taken, 10), 10u);  // as a decompressor takes its input
  constexpr std::size_t kAllowed = 256 * 10 + 4096;
  const Bytes body(kAllowed + 1, 2);
  MemorySource bodySource(body);
  ExpansionLimit limited(bodySource, counted, 8);
  Bytes out(kAllowed);
  EXPECT_EQ(ReadUpTo(limited, out.data(), kAllowed), kAllowed);
  try {
    limited.Read(out.data(), 1);
    ADD_FAILURE() << "read past the limit";
  } catch (const ESwfError& error) {
    EXPECT_EQ(error.Offset(), 8 + kAllowed);
  }
}

class KeepSome final : public PictureVisitor {
 public:
  explicit KeepSome(std::uint16_t wanted) : wanted_(wanted) {}
  bool Wants(const PictureInfo& fields) override {
    asked.push_back(fields.characterId);
    return fields.characterId == wanted_;
  }
  void Take(Picture picture) override { taken.push_back(std::move(picture)); }

  std::vector<std::uint16_t> asked;
  std::vector<Picture> taken;

 private:
  std::uint16_t wanted_;
};

TEST(TagWalk, AVisitorGetsTheBytesOfThePicturesItWants) {
  const Bytes tables = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x03, 0x07, 0xFF, 0xD9};
  const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x11, 0xFF, 0xD9};
  const Bytes alpha = ZlibCompress({1, 2});
  const MovieBuilder movie = MovieBuilder()
                                 .Tag(8, tables)
                                 .Tag(6, Le16(1) + jpeg)
                                 .Tag(35, Le16(2) + Le32(9) + jpeg + alpha)
                                 .End();
  for (std::uint16_t wanted : {1, 2}) {
    const Bytes file = movie.Cws();
    MemorySource source(file);
    KeepSome visitor(wanted);
    const MovieSummary summary = MovieReader(source).Walk(&visitor);
    EXPECT_EQ(visitor.asked, (std::vector<std::uint16_t>{1, 2}));
    ASSERT_EQ(visitor.taken.size(), 1u);
    const Picture& picture = visitor.taken[0];
    EXPECT_EQ(picture.info.characterId, wanted);
    EXPECT_EQ(picture.data, jpeg);
    EXPECT_EQ(picture.jpegTables, wanted == 1 ? tables : Bytes{});
    EXPECT_EQ(picture.alpha, wanted == 2 ? alpha : Bytes{});
    EXPECT_EQ(picture.info.hasAlpha, wanted == 2);
    ASSERT_EQ(summary.pictures.size(), 2u);
    EXPECT_EQ(summary.pictures[wanted - 1].format, ImageFormat::kJpeg);
  }
}

TEST(TagWalk, AWalkUntilADefectKeepsWhatCameBeforeIt) {
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 5, 0, 7, 0};
  const MovieBuilder pictures = MovieBuilder().Tag(21, Le16(1) + gif).Tag(21, Le16(2) + gif);
  const MovieBuilder ended = MovieBuilder(pictures).End();
  const MovieBuilder oneByteMore = MovieBuilder(ended).Raw({0});
  const Lie defects[] = {
      {"one byte after the End tag", oneByteMore.Fws(ended.Length()), ended.Length(),
       "goes on past its declared length"},
      {"no End tag", pictures.Zws(), pictures.Length(), "without an End tag"},
      {"shorter than declared", ended.Cws(ended.Length() + 10), ended.Length(),
       "ends before its declared length"},
  };
  for (const Lie& defect : defects) {
    SCOPED_TRACE(defect.name);
    MemorySource source(defect.file);
    const MovieSummary summary = MovieReader(source).WalkUntilDefect();
    ASSERT_EQ(summary.pictures.size(), 2u);
    EXPECT_EQ(summary.pictures[1].characterId, 2);
    EXPECT_EQ(summary.pictures[1].size, (PixelSize{5, 7}));
    ASSERT_TRUE(summary.defect.has_value());
    EXPECT_EQ(summary.defect->Offset(), defect.offset);
    EXPECT_NE(std::string(summary.defect->what()).find(defect.text), std::string::npos)
        << summary.defect->what();
  }
  const Bytes whole = ended.Fws();
  MemorySource source(whole);
  EXPECT_FALSE(MovieReader(source).WalkUntilDefect().defect.has_value());
}

// Notes down, in the walk's order, the sizes of what it takes and why the walk refuses others.
class TakeNotes final : public PictureVisitor {
 public:
  bool Wants(const PictureInfo&) override { return true; }
  void Take(Picture picture) override {
    notes.push_back(std::to_string(picture.info.characterId) +
                    " taken: " + std::to_string(picture.data.size()) + " bytes, tables " +
                    std::to_string(picture.jpegTables.size()));
  }
  void Refuse(const PictureInfo& picture, const ESwfError& reason) override {
    notes.push_back(std::to_string(picture.characterId) + " refused: " + reason.what());
  }
  std::vector<std::string> notes;
};

TEST(TagWalk, PicturesWhoseBytesAreNotKeptAreRefusedAloneAtTheLimits) {
  const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x11, 0xFF, 0xD9};
  // Tables at the limit, past it (at offset 21 + 65542 + 13), then good ones again.
  const Bytes tablesMovie = MovieBuilder()
                                .LongTag(8, Bytes(65536, 1))
                                .Tag(6, Le16(1) + jpeg)
                                .LongTag(8, Bytes(65537, 2))
                                .Tag(6, Le16(2) + jpeg)
                                .Tag(21, Le16(3) + jpeg)
                                .Tag(8, {3})
                                .Tag(6, Le16(4) + jpeg)
                                .End()
                                .Fws();
  MemorySource tablesSource(tablesMovie);
  TakeNotes tables;
  MovieReader(tablesSource).Walk(&tables);
  EXPECT_EQ(tables.notes, (std::vector<std::string>{
                              "1 taken: 9 bytes, tables 65536",
                              "2 refused: the JPEGTables tag at offset 65576 holds 65537 bytes, "
                              "more than JPEG tables take (at offset 65576 of the movie)",
                              "3 taken: 9 bytes, tables 0", "4 taken: 9 bytes, tables 1"}));

  // Picture data of 256 MiB, one byte more, then none; the second tag starts at 21 + 8 + 256 MiB.
  constexpr std::uint32_t kLimit = 256u << 20;
  RepeatedMovie huge({{Le16(21 << 6 | 0x3F) + Le32(2 + kLimit) + Le16(5)},
                      {{0}, kLimit},
                      {Le16(21 << 6 | 0x3F) + Le32(2 + kLimit + 1) + Le16(6)},
                      {{0}, kLimit + 1},
                      {Le16(21 << 6 | 2) + Le16(7) + Le16(0)}});
  TakeNotes pictures;
  MovieReader(huge).Walk(&pictures);
  EXPECT_EQ(pictures.notes,
            (std::vector<std::string>{
                "5 taken: 268435456 bytes, tables 0",
                "6 refused: picture 6 (DefineBitsJPEG2) holds 268435457 bytes, more than this "
                "reader keeps of a picture (at offset 268435493 of the movie)",
                "7 taken: 0 bytes, tables 0"}));

  // A visitor that does not take refusals has the walk raise them.
  MemorySource again(tablesMovie);
  KeepSome strict(2);
  EXPECT_THROW(MovieReader(again).Walk(&strict), ESwfError);
}

TEST(TagWalk, AReaderWalksOnce) {
  const Bytes file = MovieBuilder().End().Fws();
  MemorySource source(file);
  MovieReader reader(source);
  reader.Walk();
  EXPECT_THROW(reader.Walk(), std::logic_error);
}

}  // namespace
}  // namespace swivex::swf::testing
