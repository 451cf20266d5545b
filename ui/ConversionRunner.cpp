#include "ui/ConversionRunner.h"

#include <utility>

#include "common/FileNames.h"
#include "platform/Files.h"

namespace swivex {

ConversionRunner::ConversionRunner(HINSTANCE instance, HWND window, Files& files,
                                   ConversionGate& gate, ShowPaths showPaths)
    : instance_(instance),
      window_(window),
      files_(files),
      gate_(gate),
      showPaths_(std::move(showPaths)) {}

ConversionRunner::~ConversionRunner() {
  // The job's end cancels the conversion and waits for its thread.
  job_.reset();
  if (batch_) End();
}

std::optional<BatchConclusion> ConversionRunner::Start(ConversionBatch batch) {
  batch_ = std::move(batch);
  cancelled_ = false;
  // Before the progress window exists, so that it is the one window left taking input.
  gate_.BatchBegins();
  ::SetTimer(window_, kProgressTimer, kProgressDelayMs, nullptr);
  return Continue();
}

void ConversionRunner::Join(const std::vector<std::string>& files) {
  // Not a cancel of the batch: the conversion fails, and the batch goes on.
  if (batch_->Add(files) && job_) job_->Cancel();
  ShowFileCount();
}

std::optional<BatchConclusion> ConversionRunner::Continue() {
  if (batch_->StartNext([this](const BatchFile& file) { StartJob(*file.kind, file.source); }))
    return std::nullopt;
  return End();
}

void ConversionRunner::StartJob(ConversionKind kind, const std::string& source) {
  const ConversionPaths paths = showPaths_(kind, source);
  const std::string movie = MovieOf(kind, paths.source, paths.target);
  movieName_ = movie.substr(FolderPart(movie, files_.Syntax()).size());
  ShowFile();
  HWND window = window_;
  job_ = std::make_unique<ConversionJob>(
      [kind, paths, &files = files_](ConversionProgress& progress) {
        return RunConversion(kind, paths.source, paths.target, files, &progress);
      },
      [window] { ::PostMessageA(window, kWorkerNews, 0, 0); });
}

std::optional<BatchConclusion> ConversionRunner::OnWorkerNews() {
  // News can arrive after the conversion that sent it has been followed to its end.
  if (!job_) return std::nullopt;
  ShowProgress();
  if (!job_->Ended()) return std::nullopt;
  batch_->Finish(job_->Outcome());
  job_.reset();
  // A cancel that came after the conversion's last piece still ends the batch.
  if (cancelled_) batch_->Stop();
  return Continue();
}

void ConversionRunner::OnTimer() {
  ::KillTimer(window_, kProgressTimer);
  if (!batch_ || progressForm_) return;
  progressForm_ = TProgressForm::Show(instance_, window_, [this] { Cancel(); });
  taskbar_.emplace(window_);
  ShowFile();
  ShowProgress();
}

void ConversionRunner::ShowFile() {
  if (progressForm_) progressForm_->ShowMovie(movieName_);
  ShowFileCount();
}

void ConversionRunner::ShowFileCount() {
  if (!progressForm_) return;
  const BatchPosition position = batch_->Position();
  progressForm_->ShowFileCount(position.number, position.count);
}

void ConversionRunner::ShowProgress() {
  if (!job_) return;
  const ConversionShare share = job_->Share();
  if (progressForm_) progressForm_->ShowPercent(share.Percent());
  if (taskbar_) taskbar_->Show(share.done, share.total);
}

BatchConclusion ConversionRunner::End() {
  ::KillTimer(window_, kProgressTimer);
  // The windows take input again before the progress window closes, so that activation returns
  // to them rather than to another program.
  gate_.BatchEnds();
  taskbar_.reset();
  progressForm_.reset();
  BatchConclusion conclusion = batch_->Conclude();
  batch_.reset();
  return conclusion;
}

void ConversionRunner::Cancel() {
  cancelled_ = true;
  if (progressForm_) progressForm_->ShowCancelling();
  if (job_) job_->Cancel();
}

void ConversionRunner::CancelAndWait() {
  Cancel();
  // The batch goes on to its end when the window hears of the conversion's end.
  if (job_) job_->Wait();
}

}  // namespace swivex
