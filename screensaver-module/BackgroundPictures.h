#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "pictures/BgraImage.h"
#include "screensaver-module/MoviePictures.h"

namespace swivex::glowdrift {

// Reads the movie's pictures (ReadMoviePictures) on a thread of its own, so that a large movie
// never holds up the first frame: the glows show at once and the pictures join them when they
// are ready. Destroying it stops the reading at the next block of the movie and waits for it.
class BackgroundPictures {
 public:
  explicit BackgroundPictures(MovieOpener open);
  ~BackgroundPictures();
  BackgroundPictures(const BackgroundPictures&) = delete;
  BackgroundPictures& operator=(const BackgroundPictures&) = delete;

  // The pictures, once, as soon as the reading has ended; none if the movie could not be read.
  std::optional<std::vector<BgraImage>> Take();

 private:
  void Read(const MovieOpener& open) noexcept;

  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::optional<std::vector<BgraImage>> result_;  // under mutex_
  std::thread reader_;                            // last: it starts when the rest exists
};

}  // namespace swivex::glowdrift
