#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace swivex::testing {

// Acts on the modal dialogs that code under test opens on this thread, in order: while the
// script is alive a thread timer looks for a visible top-level dialog (#32770) of the thread
// that no earlier step has had, lets it settle and hands it to the next step. A step returns
// false to be called again on the next tick (to let keys that it typed arrive), true when it is
// done with the dialog. The steps run inside the dialogs' own message loops.
class DialogScript {
 public:
  using Step = std::function<bool(HWND dialog)>;

  explicit DialogScript(std::vector<Step> steps);
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;
  ~DialogScript();

  // True once every step has run.
  bool Finished() const { return next_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();

  HWND FindNewDialog() const;

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  HWND seen_ = nullptr;  // the dialog found for the next step, settling
  int settled_ = 0;
  HWND current_ = nullptr;  // the dialog of a step that asked to be called again
  std::vector<HWND> handled_;
  UINT_PTR timer_ = 0;
};

// The text of a dialog's child, as the user sees it.
std::string ChildText(HWND dialog, int id);
std::string WindowCaption(HWND window);
std::string ClassOf(HWND window);

// Presses a dialog's button the way a click would, without waiting for what it starts.
void Press(HWND dialog, int buttonId);

// Types a key combination into the foreground window: modifiers held down around `key`.
void TypeKeys(std::vector<WORD> modifiers, WORD key);

}  // namespace swivex::testing
