#pragma once

#include <windows.h>

#include "screensaver-module/BackgroundPictures.h"
#include "screensaver-module/FailureReport.h"
#include "screensaver-module/FrameClock.h"
#include "screensaver-module/GlowField.h"
#include "screensaver-module/PictureDrift.h"
#include "screensaver-module/ScenePainter.h"
#include "winsupport/Window.h"

namespace swivex::glowdrift {

// The preview ("/p <window>"): the same animation and pictures, without the caption, in a child
// window that fills the Display control panel's little monitor. It lives as long as that window:
// it is destroyed with its parent, and looks on every frame whether the parent is still there.
class PreviewWindow : public win::Window<PreviewWindow, ReportFailurePolicy> {
 public:
  PreviewWindow(HINSTANCE instance, HWND parent, MovieOpener movie);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnCreate();
  void OnTimer();
  void ShowArrivedPictures();
  void OnPaint();
  void OnDestroy();

  HWND parent_;
  GlowField field_;
  ScenePainter painter_;
  BackBuffer backBuffer_;
  FrameClock clock_;
  PictureDrift drift_;
  // Last, so that its reading stops before anything else of the window goes.
  BackgroundPictures pictures_;
};

}  // namespace swivex::glowdrift
