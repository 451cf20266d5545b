#pragma once

#include <string>

#include "playback/BrowserSystem.h"
#include "winsupport/ScreenPlacement.h"

namespace swivex::glowdrift {

// What the browser is started with.
struct BrowserStart {
  AppBrowser browser = AppBrowser::Edge;
  std::string program;        // its full path
  std::string address;        // the page's address
  std::string profileFolder;  // a profile of Glowdrift's own, kept from run to run
  win::ScreenArea monitor;    // the primary monitor, which its window fills
};

// The command line that starts the browser: a window of its own that fills the monitor, without
// a first-run page, with a profile of Glowdrift's own (a profile in use by the user's own browser
// would hand the page to that one's window and end at once), and with sound that needs no click.
// Each part is quoted by the rules with which Windows programs split their command lines.
std::string BrowserCommandLine(const BrowserStart& start);

}  // namespace swivex::glowdrift
