#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "playback/SaverServing.h"
#include "tests/support/PollUntil.h"

namespace swivex::testing {

// The saver's serving, once started, run in rounds on a thread of its own that counts what the
// page tells, as the saver's module runs it; stopped when this goes.
class SaverRounds {
 public:
  explicit SaverRounds(SaverServing& serving)
      : thread_([this, &serving] {
          while (!stop_) {
            const PageTells tells = serving.Round(5);
            for (const PageTell tell : {PageTell::FirstFrame, PageTell::Input, PageTell::Quit})
              if (tells.Has(tell)) ++told_[static_cast<int>(tell)];
            ++done_;
          }
        }) {}
  SaverRounds(const SaverRounds&) = delete;
  SaverRounds& operator=(const SaverRounds&) = delete;
  ~SaverRounds() {
    stop_ = true;
    thread_.join();
  }

  int Told(PageTell tell) const { return told_[static_cast<int>(tell)]; }
  // Whether the page has told `tell` `count` times within `patience`.
  bool WaitForTold(PageTell tell, int count, std::chrono::milliseconds patience) const {
    return PollUntil([&] { return Told(tell) >= count; }, patience);
  }
  // Whether the rounds that began before now have ended, and with them the taking of their
  // tells, within ten seconds.
  bool WaitForRounds() const {
    const std::uint64_t seen = done_;
    return PollUntil([&] { return done_ >= seen + 2; }, std::chrono::seconds(10));
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> told_[3] = {};
  std::atomic<std::uint64_t> done_{0};
  std::thread thread_;
};

}  // namespace swivex::testing
