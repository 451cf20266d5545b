#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <variant>

#include "screensaver-module/MouseWakeFilter.h"

namespace swivex::glowdrift {

// What happens to the running saver ("/s"); each one is told with the time since the saver
// started.
namespace saver_event {
struct BrowserStarted {};  // a browser is to play the movie from now on
struct FirstFrame {};      // the page drew the movie's first frame
struct BrowserGone {};     // no process of the browser is left
struct KeyOrButton {};     // a key, button or wheel at one of the saver's own windows
struct PointerAt {         // the pointer moved over one of the saver's own windows (screen pixels)
  int x;
  int y;
};
struct PageInput {};       // the page saw a key, button, wheel or real move
struct PageQuit {};        // the movie called fscommand("quit")
struct Suspend {};         // the system is going to sleep
struct SessionEnd {};      // the user logs off or the system shuts down
struct ActivationLost {};  // another program's window took the keyboard
struct PrimaryLeft {};     // the saver's windows left the primary monitor to the browser
// A regular look at the system, a few times a second: GetLastInputInfo's tick and where the
// pointer is.
struct Look {
  std::uint32_t lastInputTick;
  int x;
  int y;
};
}  // namespace saver_event

using SaverEvent =
    std::variant<saver_event::BrowserStarted, saver_event::FirstFrame, saver_event::BrowserGone,
                 saver_event::KeyOrButton, saver_event::PointerAt, saver_event::PageInput,
                 saver_event::PageQuit, saver_event::Suspend, saver_event::SessionEnd,
                 saver_event::ActivationLost, saver_event::PrimaryLeft, saver_event::Look>;

// What the saver does after an event.
enum class SaverTurn {
  GoOn,
  End,           // the saver and its browser end
  ShowPictures,  // the browser is ended and the drifting pictures cover every monitor
};

// When the saver ends and when it gives the movie up. Showing the drifting pictures alone, it
// ends on any key, button, wheel, real move of the pointer over it, or when another program
// takes the keyboard. While a browser plays the movie, the browser has the keyboard and the
// primary monitor, so input reaches the saver through the page and through the system's tick of
// the last input too; the first second's input is ignored, as a mouse put down to start the
// saver may still settle; and without a first frame within ten seconds, or without its browser,
// the saver shows the pictures instead. For a second after its windows leave the primary
// monitor, the system's tick alone does not end it: the pointer that the window below takes over
// counts as input there (Wine reports it so, a moment later).
class SaverLife {
 public:
  using Milliseconds = std::chrono::milliseconds;

  static constexpr Milliseconds kGrace{1000};
  static constexpr Milliseconds kFirstFrameDeadline{10000};

  // The pointer's and the last input's state when the saver started (the pointer's, if known).
  SaverLife(std::optional<MouseWakeFilter::Point> pointer, std::uint32_t lastInputTick);

  SaverTurn Take(Milliseconds sinceStart, const SaverEvent& event);

  bool BrowserPlays() const { return stage_ != Stage::Pictures; }
  // Whether the saver's windows have left the primary monitor to the browser, which still plays.
  bool PrimaryMonitorLeft() const { return primaryLeft_.has_value(); }

 private:
  enum class Stage { Pictures, AwaitingFirstFrame, Playing };

  SaverTurn Input(Milliseconds sinceStart) const;
  SaverTurn Pointer(Milliseconds sinceStart, int x, int y);
  SaverTurn LookAt(Milliseconds sinceStart, const saver_event::Look& look);
  SaverTurn GiveTheMovieUp();

  Stage stage_ = Stage::Pictures;
  bool movieTried_ = false;  // the grace second is the movie's: the pictures alone end at once
  MouseWakeFilter wake_;
  std::optional<MouseWakeFilter::Point> lastPointer_;  // at the last look
  std::uint32_t lastInputTick_;
  Milliseconds browserStarted_{};
  // When the saver's windows left the primary monitor; they take it back with the pictures.
  std::optional<Milliseconds> primaryLeft_;
};

}  // namespace swivex::glowdrift
