#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "screensaver-module/BackgroundPictures.h"
#include "screensaver-module/FailureReport.h"
#include "screensaver-module/FrameClock.h"
#include "screensaver-module/GlowField.h"
#include "screensaver-module/MovieCaption.h"
#include "screensaver-module/MoviePlayback.h"
#include "screensaver-module/PictureDrift.h"
#include "screensaver-module/SaverLife.h"
#include "screensaver-module/ScenePainter.h"
#include "winsupport/Window.h"

namespace swivex::glowdrift {

// The running saver ("/s"): one topmost borderless window over the whole virtual screen, with
// the animation, the movie's pictures once they are read, and the caption on every monitor.
// When a browser plays the movie, the window leaves the primary monitor to the browser's window
// as soon as that shows, and takes it back if the movie does not play. SaverLife says when it
// closes, and with it the message loop.
class SaverWindow : public win::Window<SaverWindow, ReportFailurePolicy> {
 public:
  SaverWindow(HINSTANCE instance, std::optional<std::uint64_t> movieSize, SaverShows shows,
              MovieOpener movie);

  // Plays the movie in the browser on the primary monitor; shows the pictures instead if the
  // page or the browser cannot start.
  void PlayMovie(const FoundBrowser& browser, const std::string& moviePath,
                 SaverPageSettings settings);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnCreate();
  void OnTimer();
  void ShowArrivedPictures();
  void WatchBrowser();
  void OnPaint();
  void OnMouseMove(LPARAM position);
  void OnFirstFrame();
  void Take(const SaverEvent& event);
  void ShowPicturesInstead(const std::string& reason);
  void GiveThePrimaryMonitorTo(HWND browser);
  void LeavePrimaryMonitor();
  // The caption and the title for what the saver shows; the title also gives the reason.
  void Describe(SaverShows shows, const std::string& reason);
  void OnDestroy();

  std::optional<std::uint64_t> movieSize_;
  MovieCaption caption_;
  RECT virtualScreen_{};
  std::vector<RECT> monitors_;  // in the window's client coordinates
  RECT primary_{};              // the same
  unsigned ticks_ = 0;          // of the frame timer while the browser starts
  ULONGLONG started_;
  SaverLife life_;
  GlowField field_;
  ScenePainter painter_;
  BackBuffer backBuffer_;
  FrameClock clock_;
  PictureDrift drift_;
  std::unique_ptr<MoviePlayback> playback_;  // while a browser is to play the movie
  // Last, so that its reading stops before anything else of the window goes.
  BackgroundPictures pictures_;
};

}  // namespace swivex::glowdrift
