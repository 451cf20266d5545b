#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/ConversionBatch.h"
#include "ui/ConversionGate.h"
#include "ui/ConversionJob.h"
#include "ui/ProgressFrm.h"
#include "ui/TaskbarProgress.h"

namespace swivex {

class Files;

// The paths of one conversion, as the window shows them.
struct ConversionPaths {
  std::string source;
  std::string target;
};

// Runs a batch's conversions one after the other on a worker thread while the window keeps
// painting and answering; the gate takes the program's input for as long as the batch runs.
// Once the batch has run for half a second, however many files it has converted by then, the
// progress window and the window's taskbar button show how far it is; they stay until the batch
// ends.
class ConversionRunner {
 public:
  // What the window shows as a file's conversion starts: it returns the paths to convert.
  using ShowPaths = std::function<ConversionPaths(ConversionKind kind, const std::string& source)>;

  // The worker's news reaches `window` as this message, which it hands to OnWorkerNews.
  static constexpr UINT kWorkerNews = WM_APP + 1;
  // The window's timer that it hands to OnTimer.
  static constexpr UINT_PTR kProgressTimer = 1;
  static constexpr UINT kProgressDelayMs = 500;

  ConversionRunner(HINSTANCE instance, HWND window, Files& files, ConversionGate& gate,
                   ShowPaths showPaths);
  ConversionRunner(const ConversionRunner&) = delete;
  ConversionRunner& operator=(const ConversionRunner&) = delete;
  // Stops a running conversion and waits for it, then gives the windows their input back.
  ~ConversionRunner();

  // Closes the gate and starts the batch's first conversion; not while another batch runs.
  // Returns the batch's conclusion at once when it has nothing to convert.
  std::optional<BatchConclusion> Start(ConversionBatch batch);
  // Files that join the running batch, after its other files. The running conversion is
  // cancelled when it would replace one of them.
  void Join(const std::vector<std::string>& files);

  // Follows the conversion's progress, starts the next one when it has ended, and returns the
  // batch's conclusion when the batch has ended.
  std::optional<BatchConclusion> OnWorkerNews();
  void OnTimer();

  // Stops the running conversion before its next piece, and the batch with it.
  void Cancel();
  // The same, returning once the conversion has stopped and cleaned up after itself: the session
  // is ending, and the process may end with it as soon as the window answers.
  void CancelAndWait();

 private:
  std::optional<BatchConclusion> Continue();
  void StartJob(ConversionKind kind, const std::string& source);
  void ShowFile();
  void ShowFileCount();
  void ShowProgress();
  BatchConclusion End();

  HINSTANCE instance_;
  HWND window_;
  Files& files_;
  ConversionGate& gate_;
  ShowPaths showPaths_;
  std::optional<ConversionBatch> batch_;
  std::string movieName_;
  bool cancelled_ = false;
  std::unique_ptr<ConversionJob> job_;
  std::unique_ptr<TProgressForm> progressForm_;
  std::optional<TaskbarProgress> taskbar_;
};

}  // namespace swivex
