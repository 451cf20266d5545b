// The one part of the stub that is built with exceptions: the movie reader raises them.
#include "player-stub/MovieFacts.h"

#include <algorithm>

#include "swf/ByteSource.h"
#include "swf/FirstFrame.h"

namespace swivex {

namespace {

// Raised when the projector's file cannot be read; it never leaves ReadMovieFacts.
struct UnreadableFile {};

// The movie's bytes in the projector's file, read from its start on and never past its end.
class MovieBytes final : public swf::ByteSource {
 public:
  MovieBytes(OpenedFile file, MovieLocation movie) : file_(file), left_(movie.length) {
    if (file_.system->Seek(file_.file, movie.offset) != file_errors::kNone) throw UnreadableFile();
  }

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    const auto wanted = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, left_));
    std::uint32_t done = 0;
    if (wanted > 0 && file_.system->Read(file_.file, buffer, wanted, done) != file_errors::kNone)
      throw UnreadableFile();
    left_ -= done;
    return done;
  }

 private:
  OpenedFile file_;
  std::uint32_t left_;
};

// Whole pixels of a side of `twips` (a twentieth of a pixel), rounded; 0 for none.
std::uint32_t Pixels(std::int64_t twips) {
  return twips > 0 ? static_cast<std::uint32_t>((twips + 10) / 20) : 0;
}

}  // namespace

AppWindow ReadMovieFacts(OpenedFile file, MovieLocation movie) noexcept {
  try {
    MovieBytes bytes(file, movie);
    const swf::FirstFrame frame = swf::ReadFirstFrame(bytes);
    AppWindow facts;
    facts.stageWidth = Pixels(frame.header.WidthTwips());
    facts.stageHeight = Pixels(frame.header.HeightTwips());
    if (facts.stageWidth == 0 || facts.stageHeight == 0) facts.stageWidth = facts.stageHeight = 0;
    facts.fullScreen = frame.asksFullScreen;
    return facts;
  } catch (...) {
    return {};
  }
}

}  // namespace swivex
