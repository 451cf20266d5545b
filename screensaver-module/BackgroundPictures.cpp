#include "screensaver-module/BackgroundPictures.h"

#include <exception>
#include <stdexcept>
#include <utility>

namespace swivex::glowdrift {

namespace {

// The movie as the reader sees it, cut off as soon as the saver ends.
class StoppableSource final : public swf::ByteSource {
 public:
  StoppableSource(std::unique_ptr<swf::ByteSource> inner, const std::atomic<bool>& stopping)
      : inner_(std::move(inner)), stopping_(stopping) {}

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    if (stopping_) throw std::runtime_error("The screen saver is ending.");
    return inner_->Read(buffer, count);
  }

 private:
  std::unique_ptr<swf::ByteSource> inner_;
  const std::atomic<bool>& stopping_;
};

}  // namespace

BackgroundPictures::BackgroundPictures(MovieOpener open)
    : reader_([this, open = std::move(open)] { Read(open); }) {}

BackgroundPictures::~BackgroundPictures() {
  stopping_ = true;
  reader_.join();
}

std::optional<std::vector<BgraImage>> BackgroundPictures::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(result_, std::nullopt);
}

// The thread's boundary: nothing a movie holds may end the saver, so every failure, from a
// damaged movie to memory running out, leaves the glows alone on the screen.
void BackgroundPictures::Read(const MovieOpener& open) noexcept {
  std::vector<BgraImage> pictures;
  try {
    pictures = ReadMoviePictures([&]() -> std::unique_ptr<swf::ByteSource> {
      return std::make_unique<StoppableSource>(open(), stopping_);
    });
  } catch (...) {
    pictures.clear();
  }
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    result_ = std::move(pictures);
  } catch (...) {
    // A mutex that cannot be locked leaves the pictures unseen, and the glows on their own.
  }
}

}  // namespace swivex::glowdrift
