#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "forms/FormBackground.h"
#include "forms/FormBuilder.h"
#include "shell/ErrorBoundary.h"

namespace swivex {

// The window that shows how far a long batch of conversions is: the movie's name, a bar and a
// percentage of the bytes written, which of the batch's files it is ("3 of 300"), and Cancel. Its
// owner takes no input while it shows (the caller sees to that), which makes it modal without a
// loop of its own.
class TProgressForm : public Window<TProgressForm> {
 public:
  // Creates the window owned by `owner`, centred on the screen, shown and active with Cancel
  // focused. `cancel` runs when Cancel is pressed (or Esc, or the window is asked to close). Null
  // if the system refused to create it: the conversion goes on without.
  static std::unique_ptr<TProgressForm> Show(HINSTANCE instance, HWND owner,
                                             std::function<void()> cancel);

  void ShowMovie(const std::string& name);
  void ShowPercent(int percent);
  // The batch is being cancelled: Cancel is greyed until it has stopped.
  void ShowCancelling();
  // Nothing for a batch of one file.
  void ShowFileCount(std::size_t number, std::size_t count);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  TProgressForm(HINSTANCE instance, std::function<void()> cancel);
  bool CreateWindowOwnedBy(HWND owner);
  void CancelButtonClick();
  HWND Control(int id) const { return ::GetDlgItem(Handle(), id); }

  HINSTANCE instance_;
  std::function<void()> cancel_;
  FormScale scale_;
  ControlFonts controlFonts_;
  FormBackground background_;
};

}  // namespace swivex
