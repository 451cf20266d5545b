#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "screensaver-module/BrowserCommandLine.h"
#include "screensaver-module/BrowserJob.h"
#include "screensaver-module/MoviePageServer.h"
#include "winsupport/ScreenPlacement.h"

namespace swivex::glowdrift {

struct FoundBrowser {
  AppBrowser browser;
  std::string program;
};

// Microsoft Edge, else Google Chrome, as Windows' App Paths name them; never the default
// browser, whose window the saver could not end. Nothing if neither is installed.
std::optional<FoundBrowser> FindKioskBrowser();

// The installed movie served on a page of its own and played full screen by a browser on the
// monitor given. The page's messages reach the window given (MoviePageServer.h). Ends the
// browser first, then the page.
class MoviePlayback {
 public:
  // Throws a runtime error if the page cannot be served or the browser cannot be started.
  MoviePlayback(const FoundBrowser& browser, const std::string& moviePath,
                SaverPageSettings settings, HWND window, const win::ScreenArea& monitor);

  const BrowserJob& Browser() const { return browser_; }

 private:
  MoviePageServer server_;
  BrowserJob browser_;
};

}  // namespace swivex::glowdrift
