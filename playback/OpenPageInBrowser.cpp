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
  const char* profile;  // the folder of its profile in the projectors' own
};

constexpr AppBrowserName kAppBrowsers[] = {{AppBrowser::Edge, "msedge.exe", "Edge"},
                                           {AppBrowser::Chrome, "chrome.exe", "Chrome"}};

// Below the local data folder. Each browser keeps a profile of its own: neither reads the
// other's.
constexpr char kProfilesFolder[] = "\\Swivex\\Browser\\";

// The side of the stage that the room holds in `room` pixels, the other side `other` scaled
// with it, rounded half up as the page's own script rounds; at least one pixel.
std::uint64_t ScaledSide(std::uint64_t other, std::uint64_t room, std::uint64_t side) {
  const std::uint64_t scaled = (2 * other * room + side) / (2 * side);
  return scaled > 0 ? scaled : 1;
}

// The window's outer size and place: --window-size is the whole window's, frame included (as
// measured with Chromium). False when the movie's stage or the room is not known.
bool PlaceWindow(BrowserSystem& system, const AppWindow& window, BoundedText& size,
                 BoundedText& position) {
  WindowRoom room;
  if (window.stageWidth == 0 || window.stageHeight == 0 || !system.FindWindowRoom(room))
    return false;
  const win::ScreenArea& area = room.workArea;
  // The main screen's work area lies right of and below its top left corner.
  if (area.left < 0 || area.top < 0 || area.Width() <= room.frameWidth ||
      area.Height() <= room.frameHeight)
    return false;
  const std::uint64_t roomWidth = static_cast<std::uint64_t>(area.Width() - room.frameWidth);
  const std::uint64_t roomHeight = static_cast<std::uint64_t>(area.Height() - room.frameHeight);
  std::uint64_t width = window.stageWidth;
  std::uint64_t height = window.stageHeight;
  if (width > roomWidth || height > roomHeight) {
    // The side that leaves less room to spare sets the scale.
    if (roomWidth * height <= roomHeight * width) {
      height = ScaledSide(height, roomWidth, width);
      width = roomWidth;
    } else {
      width = ScaledSide(width, roomHeight, height);
      height = roomHeight;
    }
  }
  const std::uint64_t outerWidth = width + static_cast<std::uint64_t>(room.frameWidth);
  const std::uint64_t outerHeight = height + static_cast<std::uint64_t>(room.frameHeight);
  // The room left over is halved, rounded up as the page's script rounds it: the script then
  // finds the window where it would put it.
  const std::uint64_t left = static_cast<std::uint64_t>(area.left) +
                             (static_cast<std::uint64_t>(area.Width()) - outerWidth + 1) / 2;
  const std::uint64_t top = static_cast<std::uint64_t>(area.top) +
                            (static_cast<std::uint64_t>(area.Height()) - outerHeight + 1) / 2;
  size.Append("--window-size=").Append(outerWidth).Append(",").Append(outerHeight);
  position.Append("--window-position=").Append(left).Append(",").Append(top);
  return true;
}

}  // namespace

std::optional<AppBrowser> FindAppBrowser(BrowserSystem& system, BoundedText& path) {
  for (const AppBrowserName& name : kAppBrowsers) {
    path = BoundedText();
    if (system.FindRegisteredProgram(name.program, path)) return name.browser;
  }
  return std::nullopt;
}

OpenedPage OpenPageInBrowser(BrowserSystem& system, const char* address, const AppWindow& window) {
  // An app window shows the movie alone, without tabs or an address bar. The movie starts with
  // its sound, as it would in a Flash player, without a click first.
  BoundedText app("--app=");
  app.Append(address);
  BoundedText localData;
  const bool ownProfiles = system.FindLocalDataFolder(localData);
  BoundedText size;
  BoundedText position;
  const bool placed = PlaceWindow(system, window, size, position);
  // One that is registered but does not start gives way to the next.
  for (const AppBrowserName& name : kAppBrowsers) {
    BoundedText path;
    if (!system.FindRegisteredProgram(name.program, path)) continue;
    const char* arguments[7] = {app.CStr(), "--autoplay-policy=no-user-gesture-required",
                                "--no-first-run"};
    std::size_t count = 3;
    BoundedText profile("--user-data-dir=");
    if (ownProfiles) {
      profile.Append(localData).Append(kProfilesFolder).Append(name.profile);
      arguments[count++] = profile.CStr();
    }
    if (placed) {
      arguments[count++] = size.CStr();
      arguments[count++] = position.CStr();
    }
    if (window.fullScreen) arguments[count++] = "--start-fullscreen";
    if (system.StartProgram(path.CStr(), std::span(arguments, count))) return OpenedPage::AppWindow;
  }
  char storage[kForwardingPageCapacity];
  TextBuffer forwarding(storage, sizeof storage);
  const TemplateValue values[] = {{"address", address, AppendAsItIs}};
  if (FillTemplate(kForwardingPage, values, forwarding) &&
      system.OpenWithDefaultBrowser(address, forwarding.View()))
    return OpenedPage::DefaultBrowser;
  return OpenedPage::None;
}

}  // namespace swivex
