#pragma once

#include <windows.h>

#include <string>

#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift {

// The browser that plays the movie, in a job object of its own that ends the browser's whole
// process tree when the job's last handle closes: when this object goes, and also when the saver
// is ended from outside, since the system then closes the saver's handles.
class BrowserJob {
 public:
  // Starts `commandLine` (BrowserCommandLine) with the program `program`; throws a runtime error
  // that names what failed.
  BrowserJob(const std::string& program, std::string commandLine);
  BrowserJob(const BrowserJob&) = delete;
  BrowserJob& operator=(const BrowserJob&) = delete;
  ~BrowserJob();

  // True once no process of the browser is left.
  bool HasEnded() const;

  // A visible top-level window of one of the browser's processes, or null.
  HWND VisibleWindow() const;

 private:
  // The job first, so that it is closed last: the process handle goes on its own.
  win::UniqueKernelObject job_;
  win::UniqueKernelObject process_;
};

}  // namespace swivex::glowdrift
