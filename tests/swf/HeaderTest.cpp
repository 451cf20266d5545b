#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "swf/MovieReader.h"
#include "swf/SwfError.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::swf::testing {
namespace {

struct Flavour {
  const char* name;
  std::function<Bytes(const MovieBuilder&)> write;
  Compression compression;
  std::uint8_t version;
};

const Flavour kFlavours[] = {
    {"FWS", [](const MovieBuilder& m) { return m.Fws(); }, Compression::kNone, 10},
    {"CWS", [](const MovieBuilder& m) { return m.Cws(); }, Compression::kZlib, 10},
    {"ZWS", [](const MovieBuilder& m) { return m.Zws(); }, Compression::kLzma, 13},
};

SwfHeader HeaderOf(const Bytes& file) {
  MemorySource source(file);
  return ReadHeader(source);
}

// Runs `read` and returns the offset that its ESwfError names, checking that the text names it
// too; fails the test if nothing is raised.
std::uint64_t ErrorOffset(const std::function<void()>& read) {
  try {
    read();
  } catch (const ESwfError& error) {
    const std::string mark = "at offset " + std::to_string(error.Offset()) + " of the movie";
    EXPECT_NE(std::string(error.what()).find(mark), std::string::npos) << error.what();
    return error.Offset();
  }
  ADD_FAILURE() << "no ESwfError";
  return ~std::uint64_t{0};
}

TEST(SwfHeader, EveryCompressionGivesTheSameHeader) {
  const MovieBuilder movie = MovieBuilder().End();
  const Bytes fws = movie.Fws();
  ASSERT_EQ(Bytes(fws.begin(), fws.begin() + 8), (Bytes{'F', 'W', 'S', 10, 23, 0, 0, 0}));
  for (const Flavour& flavour : kFlavours) {
    SCOPED_TRACE(flavour.name);
    const Bytes file = flavour.write(movie);
    const SwfHeader header = HeaderOf(file);
    EXPECT_EQ(header.compression, flavour.compression);
    // ZWS: the LZMA data's length at offset 8, in front of the 5 property bytes and the data.
    EXPECT_EQ(header.lzmaDataLength,
              flavour.compression == Compression::kLzma ? file.size() - 17 : 0);
    EXPECT_EQ(header.version, flavour.version);
    EXPECT_EQ(header.declaredLength, 23u);
    EXPECT_EQ(header.frame.xMin, 0);
    EXPECT_EQ(header.frame.xMax, 11000);
    EXPECT_EQ(header.frame.yMin, 0);
    EXPECT_EQ(header.frame.yMax, 8000);
    EXPECT_EQ(header.WidthPixels(), 550.0);
    EXPECT_EQ(header.HeightPixels(), 400.0);
    EXPECT_EQ(header.frameRate, 0x1800);
    EXPECT_EQ(header.FramesPerSecond(), 24.0);
    EXPECT_EQ(header.frameCount, 1);
    EXPECT_EQ(header.firstTagOffset, 21u);
  }
}

TEST(SwfHeader, FrameFieldsAreSignedAndFractional) {
  // 7-bit fields: -20, 20, -40, 0 twips; 12.5 frames a second; 300 frames.
  const Bytes file = Bytes{'F', 'W', 'S', 6} + Le32(17) +
                     Bytes{0x3E, 0xC2, 0x96, 0x00, 0x00, 0x80, 0x0C, 0x2C, 0x01};
  const SwfHeader header = HeaderOf(file);
  EXPECT_EQ(header.frame.xMin, -20);
  EXPECT_EQ(header.frame.xMax, 20);
  EXPECT_EQ(header.frame.yMin, -40);
  EXPECT_EQ(header.frame.yMax, 0);
  EXPECT_EQ(header.WidthTwips(), 40);
  EXPECT_EQ(header.WidthPixels(), 2.0);
  EXPECT_EQ(header.HeightPixels(), 2.0);
  EXPECT_EQ(header.FramesPerSecond(), 12.5);
  EXPECT_EQ(header.frameCount, 300);
  EXPECT_EQ(header.firstTagOffset, 17u);
}

TEST(SwfHeader, RefusesWhatIsNoMovie) {
  struct Case {
    Bytes file;
    std::uint64_t offset;
  };
  const Case cases[] = {
      {Bytes{'F', 'W', 'X', 10} + Le32(23) + kFrameFields, 0},
      {Bytes{'f', 'w', 's', 10} + Le32(23) + kFrameFields, 0},
      {Bytes{'G', 'W', 'S', 10} + Le32(23) + kFrameFields, 0},
      // The smallest movie is 13 bytes: signature, a rectangle of 0-bit fields, rate, count.
      {Bytes{'F', 'W', 'S', 10} + Le32(12) + Bytes{0, 0, 0, 0, 0}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.file));
    EXPECT_EQ(ErrorOffset([&] { HeaderOf(c.file); }), c.offset);
  }
  const SwfHeader smallest = HeaderOf(Bytes{'F', 'W', 'S', 10} + Le32(13) + Bytes{0, 0, 0, 0, 0});
  EXPECT_EQ(smallest.WidthTwips(), 0);
  EXPECT_EQ(smallest.firstTagOffset, 13u);
}

TEST(SwfHeader, EveryTruncationIsAnErrorAtItsOffset) {
  const Bytes fws = MovieBuilder().End().Fws();
  for (std::size_t length = 0; length < fws.size(); ++length) {
    SCOPED_TRACE(length);
    const Bytes cut(fws.begin(), fws.begin() + static_cast<std::ptrdiff_t>(length));
    const auto walk = [&] {
      MemorySource source(cut);
      MovieReader(source).Walk();
    };
    EXPECT_EQ(ErrorOffset(walk), length);
  }

  // Compressed movies: the fields in front of the body at their offsets; inside the body the
  // offset of the first byte that did not arrive, whatever the compressed input held.
  const MovieBuilder movie = MovieBuilder().Tag(9, {1, 2, 3}).End();
  for (const Bytes& file : {movie.Cws(), movie.Zws()}) {
    const std::size_t fields = file[0] == 'Z' ? 17 : 8;
    for (std::size_t length = 0; length < file.size(); ++length) {
      SCOPED_TRACE(::testing::Message() << file[0] << " cut at " << length);
      const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
      MemorySource source(cut);
      try {
        MovieReader reader(source);
        reader.Walk();
        // Only what follows the body's last byte may be missing: zlib's end-of-block code and
        // checksum, or LZMA's end marker and range coder flush.
        EXPECT_GE(length, file.size() - (file[0] == 'Z' ? 11 : 6));
      } catch (const ESwfError& error) {
        if (length < fields) {
          EXPECT_EQ(error.Offset(), length);
        } else {
          EXPECT_GE(error.Offset(), 8u);
          EXPECT_LE(error.Offset(), movie.Length());
        }
      }
    }
  }
}

TEST(SwfHeader, TheHeaderOfAHugeMovieCostsAFewKilobytes) {
  // 1 GiB of ShowFrame tags.
  RepeatedMovie huge({{{0x40, 0}, 1u << 29}});
  CountingSource counted(huge);
  EXPECT_EQ(ReadHeader(counted).declaredLength, huge.Length());
  EXPECT_LE(counted.Total(), 8192u);

  // Compressed: a megabyte of noise behind the header, the movie declared 1 GiB long.
  Bytes noise(1 << 20);
  std::uint32_t state = 12345;
  for (auto& byte : noise) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  const MovieBuilder movie = MovieBuilder().LongTag(87, noise);
  for (const Bytes& file : {movie.Cws(1u << 30), movie.Zws(1u << 30)}) {
    ASSERT_GT(file.size(), 1000000u);
    MemorySource source(file);
    CountingSource compressed(source);
    EXPECT_EQ(ReadHeader(compressed).frameCount, 1);
    EXPECT_LE(compressed.Total(), 8192u) << file[0];
  }
}

}  // namespace
}  // namespace swivex::swf::testing
