#include "ui/ConversionJob.h"

#include "projector/ConversionProgress.h"

namespace swivex {

class ConversionJob::Follower : public ConversionProgress {
 public:
  Follower(ConversionJob& job, const std::stop_token& stop) : job_(job), stop_(stop) {}

  void Advance(std::uint64_t done, std::uint64_t total) override {
    job_.done_ = done;
    job_.total_ = total;
    const int percent = ConversionShare{done, total}.Percent();
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    job_.notify_();
  }
  bool CancelRequested() override { return stop_.stop_requested(); }

 private:
  ConversionJob& job_;
  std::stop_token stop_;
  int lastPercent_ = -1;
};

ConversionJob::ConversionJob(Work work, Notify notify)
    : notify_(std::move(notify)),
      thread_([this, work = std::move(work)](std::stop_token stop) { Run(stop, work); }) {}

void ConversionJob::Run(const std::stop_token& stop, const Work& work) {
  Follower follower(*this, stop);
  try {
    outcome_ = ConversionOutcome::Converted(work(follower));
  } catch (const EConversionCancelled&) {
    outcome_ = ConversionOutcome::Cancelled();
  } catch (...) {
    outcome_ = ConversionOutcome::Failed(std::current_exception());
  }
  ended_ = true;
  notify_();
}

}  // namespace swivex
