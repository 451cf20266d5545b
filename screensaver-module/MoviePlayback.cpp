#include "screensaver-module/MoviePlayback.h"

#include <stdexcept>

#include "screensaver-module/FailureReport.h"

namespace swivex::glowdrift {

namespace {

// The browser's profile: a folder of Glowdrift's own under the user's local application data,
// which every run reuses, so that the browser's first start is done once. The folder's name
// goes on the browser's command line in the system's code page, so it must survive the trip.
std::string BrowserProfileFolder() {
  SystemBrowsers system;
  BoundedText localData;
  if (!system.FindLocalDataFolder(localData)) {
    throw std::runtime_error(
        "Cannot find the local application data folder under a name that the system's code "
        "page can write.");
  }
  std::string path = localData.CStr();
  for (const char* part : {"Swivex", "Glowdrift", "Browser"}) {
    if (path.back() != '\\') path += '\\';
    path += part;
    if (::CreateDirectoryA(path.c_str(), nullptr)) continue;
    const DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS)
      throw std::runtime_error(FailureText("Cannot create " + path, error));
  }
  return path;
}

}  // namespace

std::optional<FoundBrowser> FindKioskBrowser() {
  SystemBrowsers system;
  BoundedText path;
  if (const std::optional<AppBrowser> browser = FindAppBrowser(system, path))
    return FoundBrowser{*browser, path.CStr()};
  return std::nullopt;
}

MoviePlayback::MoviePlayback(const FoundBrowser& browser, const std::string& moviePath,
                             SaverPageSettings settings, HWND window,
                             const win::ScreenArea& monitor)
    : server_(moviePath, settings, window),
      browser_(browser.program,
               BrowserCommandLine({browser.browser, browser.program, server_.Address(),
                                   BrowserProfileFolder(), monitor})) {}

}  // namespace swivex::glowdrift
