#pragma once

#include <windows.h>

#include <vector>

#include "screensaver-module/BackgroundPictures.h"
#include "screensaver-module/FailureReport.h"
#include "screensaver-module/FrameClock.h"
#include "screensaver-module/GlowField.h"
#include "screensaver-module/MouseWakeFilter.h"
#include "screensaver-module/MovieCaption.h"
#include "screensaver-module/PictureDrift.h"
#include "screensaver-module/ScenePainter.h"
#include "winsupport/Window.h"

namespace swivex::glowdrift {

// The running saver ("/s"): one topmost borderless window over the whole virtual screen, with
// the animation, the movie's pictures once they are read, and the caption on every monitor. Any
// key, any button or a real move of the mouse closes it, and with it the message loop.
class SaverWindow : public win::Window<SaverWindow, ReportFailurePolicy> {
 public:
  SaverWindow(HINSTANCE instance, MovieCaption caption, MovieOpener movie);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnCreate();
  void OnTimer();
  void ShowArrivedPictures();
  void OnPaint();
  void OnMouseMove(LPARAM position);
  void OnActivateApp(bool active);
  void OnDestroy();

  MovieCaption caption_;
  RECT virtualScreen_{};
  std::vector<RECT> monitors_;  // in the window's client coordinates
  GlowField field_;
  ScenePainter painter_;
  BackBuffer backBuffer_;
  MouseWakeFilter wake_;
  FrameClock clock_;
  PictureDrift drift_;
  // Last, so that its reading stops before anything else of the window goes.
  BackgroundPictures pictures_;
};

}  // namespace swivex::glowdrift
