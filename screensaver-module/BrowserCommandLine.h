#pragma once

#include <string>

#include "winsupport/ScreenPlacement.h"

namespace swivex::glowdrift {

// The browsers that can play the movie full screen, in the order they are looked for.
enum class KioskBrowser {
  Edge,    // Microsoft Edge, msedge.exe
  Chrome,  // Google Chrome, chrome.exe
};

// What the browser is started with.
struct BrowserStart {
  KioskBrowser browser = KioskBrowser::Edge;
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
