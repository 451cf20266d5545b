#include "player-stub/server/BrowserSystem.h"

namespace swivex {

bool OpenPageInBrowser(BrowserSystem& system, const char* address) {
  // An app window shows the movie alone, without tabs or an address bar. The movie starts with
  // its sound, as it would in a Flash player, without a click first; a browser that is running
  // already keeps its own setting for that.
  StubText app("--app=");
  app.Append(address);
  const char* const arguments[] = {app.CStr(), "--autoplay-policy=no-user-gesture-required"};
  for (const char* browser : {"msedge.exe", "chrome.exe"}) {
    StubText path;
    if (system.FindRegisteredProgram(browser, path) && system.StartProgram(path.CStr(), arguments))
      return true;
  }
  return system.OpenWithDefaultBrowser(address);
}

}  // namespace swivex
