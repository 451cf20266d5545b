#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "ui/ConversionBatch.h"

namespace swivex {

class ConversionProgress;

// How much of a conversion's target is written.
struct ConversionShare {
  std::uint64_t done = 0;
  std::uint64_t total = 0;

  // Whole percent, rounded down; 0 while the size is not known.
  int Percent() const { return total == 0 ? 0 : static_cast<int>(done * 100 / total); }
};

// One conversion on a thread of its own, followed and cancelled from the thread that started
// it. The job's end waits for the thread, after asking the conversion to stop.
class ConversionJob {
 public:
  // The conversion, which reports to and is stopped through the progress it is handed.
  using Work = std::function<std::string(ConversionProgress&)>;
  // Runs on the job's thread whenever the share written moves on by a whole percent, and once
  // more when the work has ended; it only passes the news on (it posts a message).
  using Notify = std::function<void()>;

  ConversionJob(Work work, Notify notify);
  ConversionJob(const ConversionJob&) = delete;
  ConversionJob& operator=(const ConversionJob&) = delete;

  // The conversion stops before it writes its next piece; its outcome is then a cancel.
  void Cancel() { thread_.request_stop(); }
  // Returns once the work has ended.
  void Wait() {
    if (thread_.joinable()) thread_.join();
  }
  bool Ended() const { return ended_; }
  ConversionShare Share() const { return {done_, total_}; }
  // How the work ended; only once it has.
  const ConversionOutcome& Outcome() const { return outcome_; }

 private:
  class Follower;
  void Run(const std::stop_token& stop, const Work& work);

  Notify notify_;
  std::atomic<std::uint64_t> done_ = 0;
  std::atomic<std::uint64_t> total_ = 0;
  ConversionOutcome outcome_ = ConversionOutcome::Cancelled();
  std::atomic<bool> ended_ = false;  // set after outcome_ is written
  // Last, so that it starts when everything it uses exists and is stopped and joined first.
  std::jthread thread_;
};

}  // namespace swivex
