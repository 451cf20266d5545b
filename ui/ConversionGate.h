#pragma once

#include <windows.h>

#include <optional>

#include "shell/ModalScope.h"

namespace swivex {

// What becomes of files that the window has taken from outside: named on the command line or
// handed over by another Swivex.
enum class OutsideFiles {
  Start,  // they begin a batch of their own now
  Join,   // they join the running batch, after its other files
  Wait,   // a box has the window's input: they wait until it closes
};

// The one place that says what may run while the window converts. A batch takes the input of
// every window of the program but the progress window's, which is created afterwards and so is
// modal. Meanwhile the menu, the buttons and the shortcuts run only Exit (a close, which cancels
// the batch first), drops are refused, and files from outside join the batch. Once the window is
// to close, it takes no more files from outside; those that it has taken are converted first.
// The runner opens and closes the gate; the window asks it about everything that reaches it.
class ConversionGate {
 public:
  // A batch begins: every window of the thread stops taking input.
  void BatchBegins() { inputTaken_.emplace(nullptr); }
  // The batch has ended: the windows take input again, and the one that was active gets
  // activation and focus back.
  void BatchEnds() { inputTaken_.reset(); }
  // The window is to close as soon as its batch has stopped, without a word about it.
  void CloseAfterBatch() { closing_ = Closing::WhenBatchStops; }
  // The window is to close once the files from outside that it holds have had their batch and
  // its conclusion has been shown.
  void CloseAfterWaitingFiles() { closing_ = Closing::AfterConclusion; }

  bool Converting() const { return inputTaken_.has_value(); }
  bool ClosesWhenBatchStops() const { return closing_ == Closing::WhenBatchStops; }
  bool ClosesAfterConclusion() const { return closing_ == Closing::AfterConclusion; }

  // A command of the menu, a button or a shortcut (the message loop's shortcuts reach the window
  // as commands): only Exit once the window is to close.
  bool AllowsCommand(int command) const;
  // Files dropped on `window`: only while it is idle and no box has its input, as for a click.
  bool TakesDrop(HWND window) const;
  // Files that another Swivex hands over: not once the window is to close, so that the sender
  // keeps them.
  bool TakesHandedFiles() const { return closing_ == Closing::No; }
  OutsideFiles ForOutsideFiles(HWND window) const;

 private:
  enum class Closing { No, WhenBatchStops, AfterConclusion };

  std::optional<ModalScope> inputTaken_;
  Closing closing_ = Closing::No;
};

}  // namespace swivex
