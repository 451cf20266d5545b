#pragma once

#include <windows.h>

#include <optional>

#include "shell/ModalScope.h"

namespace swivex {

// What becomes of files that come from outside the window: named on the command line or handed
// over by another Swivex.
enum class OutsideFiles {
  Start,   // they begin a batch of their own now
  Join,    // they join the running batch, after its other files
  Wait,    // a box has the window's input: they wait until it closes
  Refuse,  // the window is closing: the sender keeps them
};

// The one place that says what may run while the window converts. A batch takes the input of
// every window of the program but the progress window's, which is created afterwards and so is
// modal. Meanwhile the menu, the buttons and the shortcuts run only Exit (a close, which cancels
// the batch first), drops are refused, and files from outside join the batch. The runner opens
// and closes the gate; the window asks it about everything that reaches it.
class ConversionGate {
 public:
  // A batch begins: every window of the thread stops taking input.
  void BatchBegins() { inputTaken_.emplace(nullptr); }
  // The batch has ended: the windows take input again, and the one that was active gets
  // activation and focus back.
  void BatchEnds() { inputTaken_.reset(); }
  // The window is to close as soon as its batch has stopped.
  void CloseAfterBatch() { closing_ = true; }

  bool Converting() const { return inputTaken_.has_value(); }
  bool Closing() const { return closing_; }

  // A command of the menu, a button or a shortcut (the message loop's shortcuts reach the window
  // as commands).
  bool AllowsCommand(int command) const;
  // Files dropped on `window`: only while it is idle and no box has its input, as for a click.
  bool TakesDrop(HWND window) const;
  OutsideFiles ForOutsideFiles(HWND window) const;

 private:
  std::optional<ModalScope> inputTaken_;
  bool closing_ = false;
};

}  // namespace swivex
