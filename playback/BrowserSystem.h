#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "playback/BoundedText.h"
#include "winsupport/ScreenPlacement.h"

namespace swivex {

// How the program that opens the default browser stands.
enum class Launcher {
  Running,    // it runs: some open the browser and wait for it to close
  Succeeded,  // it ended well, or the system opened the page without a program to watch
  Failed,     // it ended with a failure: it opened no browser
};

// Where a window goes on the main screen: the screen without the taskbar (the work area), and
// how much the frame of a window with a title bar and sizing borders adds to the width and the
// height of what the window shows. In the system's logical pixels: those of a program that is
// not aware of the screen's scale, which a browser's --window-size and --window-position take
// too.
struct WindowRoom {
  win::ScreenArea workArea;
  int frameWidth = 0;
  int frameHeight = 0;
};

// The system calls with which the stub opens the page in a browser: one set for Windows, one
// for POSIX systems. They translate calls and decide nothing; OpenPageInBrowser decides.
class BrowserSystem {
 public:
  // The full path of a program that the system starts by its file name ("msedge.exe", from
  // Windows' App Paths); false if none is registered under the name.
  virtual bool FindRegisteredProgram(const char* name, BoundedText& path) = 0;
  // Starts `path` with `arguments` without waiting for it; false if it cannot be started.
  virtual bool StartProgram(const char* path, std::span<const char* const> arguments) = 0;
  // The folder in which programs keep the user's data that stays on this computer (Windows'
  // local application data); false where there is none.
  virtual bool FindLocalDataFolder(BoundedText& folder) = 0;
  // The room for a window on the main screen; false where it is not known.
  virtual bool FindWindowRoom(WindowRoom& room) = 0;
  // Opens `address` with the program that the system opens web addresses with, without waiting
  // for it; false if there is none or it cannot be started. Where every user can read the
  // arguments of every program (Linux's /proc), the address must not be one: that program
  // opens instead a file that holds `forwarding`, a page that sends the browser on to the
  // address, and that only the user can read, in a folder of the stub's own.
  virtual bool OpenWithDefaultBrowser(const char* address, std::string_view forwarding) = 0;
  // How the program that OpenWithDefaultBrowser started stands. One that has ended is reaped
  // by the call that sees it end; later calls tell the same.
  virtual Launcher DefaultBrowserLauncher() = 0;
  // Removes whatever carried the page's address to the browser, if anything still does: the
  // page has connected, or the stub is ending.
  virtual void ForgetPageAddress() = 0;

 protected:
  ~BrowserSystem() = default;
};

// The browsers' system calls on the system the program runs on.
class SystemBrowsers final : public BrowserSystem {
 public:
  bool FindRegisteredProgram(const char* name, BoundedText& path) override;
  bool StartProgram(const char* path, std::span<const char* const> arguments) override;
  bool FindLocalDataFolder(BoundedText& folder) override;
  bool FindWindowRoom(WindowRoom& room) override;
  bool OpenWithDefaultBrowser(const char* address, std::string_view forwarding) override;
  Launcher DefaultBrowserLauncher() override;
  void ForgetPageAddress() override;
};

// The browsers that show a page alone, in a window without tabs or an address bar, in the order
// in which they are looked for.
enum class AppBrowser { Edge, Chrome };

// Microsoft Edge, else Google Chrome, by the names under which the system starts them
// (Windows' App Paths), with the full path of its program in `path`; nothing when neither is
// registered.
std::optional<AppBrowser> FindAppBrowser(BrowserSystem& system, BoundedText& path);

// What the page shows in its app window: the movie's stage in pixels (0 x 0 when it is not
// known), and whether the window starts full screen.
struct AppWindow {
  std::uint32_t stageWidth = 0;
  std::uint32_t stageHeight = 0;
  bool fullScreen = false;

  friend bool operator==(const AppWindow&, const AppWindow&) = default;
};

// Where the page was opened.
enum class OpenedPage {
  AppWindow,       // Edge or Chrome, as an app window with the switches below
  DefaultBrowser,  // the default browser, as it starts: no switch holds there
  None,            // no browser could be started
};

// Opens the page at `address` in a window of its own: Microsoft Edge as an app window, else
// Google Chrome the same way, else the default browser. The app window's browser keeps a
// profile of the projectors' own (in the local data folder, one for each browser, shared by
// every projector of the user), so that no browser of the user's that is running already takes
// the page over and drops the switches: the movie plays with its sound at once, and the window
// opens centred in the work area, showing the stage at its size or scaled down to fit (as
// wide as high as the stage), or full screen.
OpenedPage OpenPageInBrowser(BrowserSystem& system, const char* address, const AppWindow& window);

}  // namespace swivex
