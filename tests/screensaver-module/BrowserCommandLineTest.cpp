#include <gtest/gtest.h>

#include "screensaver-module/BrowserCommandLine.h"

namespace swivex::glowdrift {
namespace {

struct CommandLineCase {
  const char* what;
  BrowserStart start;
  const char* commandLine;
};

TEST(BrowserCommandLine, FillsThePrimaryMonitorWithAProfileOfItsOwn) {
  const CommandLineCase cases[] = {
      {"Edge on a monitor at the origin",
       {AppBrowser::Edge,
        "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe",
        "http://127.0.0.1:49152/0123abcd/",
        "C:\\Users\\ann\\AppData\\Local\\Swivex\\Glowdrift\\Browser",
        {0, 0, 1920, 1080}},
       "\"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe\" --kiosk "
       "http://127.0.0.1:49152/0123abcd/ --no-first-run "
       "--user-data-dir=C:\\Users\\ann\\AppData\\Local\\Swivex\\Glowdrift\\Browser "
       "--autoplay-policy=no-user-gesture-required --edge-kiosk-type=fullscreen "
       "--window-position=0,0 --window-size=1920,1080"},
      {"Chrome, which has no kiosk type, on a primary monitor right of the origin",
       {AppBrowser::Chrome,
        "C:\\Chrome\\chrome.exe",
        "http://127.0.0.1:8080/t/",
        "D:\\Profile",
        {2560, 200, 3840, 1224}},
       "\"C:\\Chrome\\chrome.exe\" --kiosk http://127.0.0.1:8080/t/ --no-first-run "
       "--user-data-dir=D:\\Profile --autoplay-policy=no-user-gesture-required "
       "--window-position=2560,200 --window-size=1280,1024"},
      {"a primary monitor above and left of another one",
       {AppBrowser::Chrome, "C:\\c.exe", "http://127.0.0.1:1/t/", "D:\\P", {-1280, -1024, 0, 0}},
       "\"C:\\c.exe\" --kiosk http://127.0.0.1:1/t/ --no-first-run --user-data-dir=D:\\P "
       "--autoplay-policy=no-user-gesture-required --window-position=-1280,-1024 "
       "--window-size=1280,1024"},
      {"a profile with blanks is one argument in quotes",
       {AppBrowser::Edge,
        "C:\\e.exe",
        "http://127.0.0.1:1/t/",
        "C:\\Users\\Ann Lee\\AppData\\Local\\Swivex\\Glowdrift\\Browser",
        {0, 0, 800, 600}},
       "\"C:\\e.exe\" --kiosk http://127.0.0.1:1/t/ --no-first-run "
       "\"--user-data-dir=C:\\Users\\Ann Lee\\AppData\\Local\\Swivex\\Glowdrift\\Browser\" "
       "--autoplay-policy=no-user-gesture-required --edge-kiosk-type=fullscreen "
       "--window-position=0,0 --window-size=800,600"},
      {"a tab quotes too; a backslash before the closing quote is doubled",
       {AppBrowser::Chrome, "C:\\c.exe", "http://127.0.0.1:1/t/", "C:\\A\tB\\", {0, 0, 1, 1}},
       "\"C:\\c.exe\" --kiosk http://127.0.0.1:1/t/ --no-first-run "
       "\"--user-data-dir=C:\\A\tB\\\\\" --autoplay-policy=no-user-gesture-required "
       "--window-position=0,0 --window-size=1,1"},
      {"a quote is escaped, and so are the backslashes before it",
       {AppBrowser::Chrome, "C:\\c.exe", "http://127.0.0.1:1/t/", "C:\\a\\\"b", {0, 0, 1, 1}},
       "\"C:\\c.exe\" --kiosk http://127.0.0.1:1/t/ --no-first-run "
       "\"--user-data-dir=C:\\a\\\\\\\"b\" --autoplay-policy=no-user-gesture-required "
       "--window-position=0,0 --window-size=1,1"},
  };
  for (const CommandLineCase& test : cases) {
    SCOPED_TRACE(test.what);
    EXPECT_EQ(BrowserCommandLine(test.start), test.commandLine);
  }
}

}  // namespace
}  // namespace swivex::glowdrift
