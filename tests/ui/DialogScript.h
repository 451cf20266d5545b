#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace swivex::testing {

// Acts on the modal dialogs that code under test opens on this thread, in order: while the
// script is alive a thread timer looks for a visible top-level dialog (#32770) of the thread
// that no earlier step has had, waits until it has settled (active, painted, and in the same
// place on two ticks in a row) and hands it to the next step. A step returns false to be called
// again on the next tick (to let keys that it typed arrive), true when it is done with the
// dialog. The steps run inside the dialogs' own message loops.
//
// Each step has a deadline, counted from the end of the step before it (or from the script's
// start). A step that misses it fails the running test with what the thread's windows were; the
// script then closes the thread's dialogs, so that the modal loop that it should have ended
// returns and the test goes on, and if that loop still runs a few seconds later it ends the
// test program with the same message rather than leave it hanging.
class DialogScript {
 public:
  using Step = std::function<bool(HWND dialog)>;

  static constexpr DWORD kStepDeadlineMs = 20000;

  explicit DialogScript(std::vector<Step> steps, DWORD stepDeadlineMs = kStepDeadlineMs);
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;
  ~DialogScript();

  // True once every step has run.
  bool Finished() const { return next_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();
  void RunCurrentStep();
  bool HasSettled(HWND dialog);
  void GiveUp();
  void EndProgram() const;
  std::string TimeoutMessage() const;

  HWND FindNewDialog() const;

  std::vector<Step> steps_;
  DWORD stepDeadlineMs_;
  std::size_t next_ = 0;
  DWORD stepStarted_;
  HWND seen_ = nullptr;  // the dialog found for the next step on the last tick, settling
  RECT seenRect_{};
  HWND current_ = nullptr;  // the dialog of a step that asked to be called again
  std::vector<HWND> handled_;
  UINT_PTR timer_ = 0;
  bool gaveUp_ = false;
};

// The text of a dialog's child, as the user sees it.
std::string ChildText(HWND dialog, int id);
std::string WindowCaption(HWND window);
std::string ClassOf(HWND window);

// Presses a dialog's button the way a click would, without waiting for what it starts.
void Press(HWND dialog, int buttonId);

// Types a key combination into the foreground window: modifiers held down around `key`.
void TypeKeys(std::vector<WORD> modifiers, WORD key);

// True once this thread has taken every key typed into it off its queue, and so has handled
// them: a step that typed keys returns false until then.
bool TypedKeysHandled();

}  // namespace swivex::testing
