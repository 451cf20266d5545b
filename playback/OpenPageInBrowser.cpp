#include "playback/BrowserSystem.h"
#include "playback/TextBuffer.h"
#include "playback/TextTemplate.h"

namespace swivex {

namespace {

// Sends the browser on to the page at once, in its place in the window's history, so that Back
// never returns to a file that is gone by then; the link serves a browser that does neither.
// The address is the stub's own, digits and ASCII letters and punctuation, with nothing to
// escape.
constexpr std::string_view kForwardingPage = R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="refresh" content="0; url={{address}}">
<title>Swivex projector</title>
<script>location.replace("{{address}}");</script>
</head>
<body>
<p><a href="{{address}}">Play the movie</a></p>
</body>
</html>
)html";

constexpr std::size_t kForwardingPageCapacity = 1024;

struct AppBrowserName {
  AppBrowser browser;
  const char* program;
};

constexpr AppBrowserName kAppBrowsers[] = {{AppBrowser::Edge, "msedge.exe"},
                                           {AppBrowser::Chrome, "chrome.exe"}};

}  // namespace

std::optional<AppBrowser> FindAppBrowser(BrowserSystem& system, BoundedText& path) {
  for (const AppBrowserName& name : kAppBrowsers) {
    path = BoundedText();
    if (system.FindRegisteredProgram(name.program, path)) return name.browser;
  }
  return std::nullopt;
}

bool OpenPageInBrowser(BrowserSystem& system, const char* address) {
  // An app window shows the movie alone, without tabs or an address bar. The movie starts with
  // its sound, as it would in a Flash player, without a click first; a browser that is running
  // already keeps its own setting for that.
  BoundedText app("--app=");
  app.Append(address);
  const char* const arguments[] = {app.CStr(), "--autoplay-policy=no-user-gesture-required"};
  // One that is registered but does not start gives way to the next.
  for (const AppBrowserName& name : kAppBrowsers) {
    BoundedText path;
    if (system.FindRegisteredProgram(name.program, path) &&
        system.StartProgram(path.CStr(), arguments))
      return true;
  }
  char storage[kForwardingPageCapacity];
  TextBuffer forwarding(storage, sizeof storage);
  const TemplateValue values[] = {{"address", address, AppendAsItIs}};
  return FillTemplate(kForwardingPage, values, forwarding) &&
         system.OpenWithDefaultBrowser(address, forwarding.View());
}

}  // namespace swivex
