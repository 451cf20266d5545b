#include "ui/ConversionRunner.h"

#include <utility>

#include "common/FileNames.h"
#include "platform/Files.h"

namespace swivex {

ConversionRunner::ConversionRunner(HINSTANCE instance, HWND window, Files& files,
                                   ShowPaths showPaths)
    : instance_(instance), window_(window), files_(files), showPaths_(std::move(showPaths)) {}

std::optional<BatchConclusion> ConversionRunner::Start(ConversionBatch batch) {
  batch_ = std::move(batch);
  cancelled_ = false;
  // No owner is left out: the progress window, if it comes, is created after this.
  inputBlocked_.emplace(nullptr);
  return Continue();
}

std::optional<BatchConclusion> ConversionRunner::Continue() {
  try {
    if (const BatchFile* file = batch_->Next()) StartJob(*file->kind, file->source);
  } catch (...) {
    End();  // the windows take input again before the error is shown
    throw;
  }
  if (job_) return std::nullopt;
  return End();
}

void ConversionRunner::StartJob(ConversionKind kind, const std::string& source) {
  const ConversionPaths paths = showPaths_(kind, source);
  const std::string movie = MovieOf(kind, paths.source, paths.target);
  movieName_ = movie.substr(FolderPart(movie, files_.Syntax()).size());
  if (progressForm_) {
    progressForm_->ShowMovie(movieName_);
  } else {
    ::SetTimer(window_, kProgressTimer, kProgressDelayMs, nullptr);
  }
  HWND window = window_;
  job_ = std::make_unique<ConversionJob>(
      [kind, paths, &files = files_](ConversionProgress& progress) {
        return RunConversion(kind, paths.source, paths.target, files, &progress);
      },
      [window] { ::PostMessageA(window, kWorkerNews, 0, 0); });
}

void ConversionRunner::Cancel() {
  cancelled_ = true;
  if (job_) job_->Cancel();
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
  if (!job_ || progressForm_) return;
  progressForm_ = TProgressForm::Show(instance_, window_, [this] { Cancel(); });
  if (progressForm_) progressForm_->ShowMovie(movieName_);
  taskbar_.emplace(window_);
  ShowProgress();
}

void ConversionRunner::ShowProgress() {
  const ConversionShare share = job_->Share();
  if (progressForm_) progressForm_->ShowPercent(share.Percent());
  if (taskbar_) taskbar_->Show(share.done, share.total);
}

BatchConclusion ConversionRunner::End() {
  ::KillTimer(window_, kProgressTimer);
  inputBlocked_.reset();
  taskbar_.reset();
  progressForm_.reset();
  BatchConclusion conclusion = batch_->Conclude();
  batch_.reset();
  return conclusion;
}

}  // namespace swivex
