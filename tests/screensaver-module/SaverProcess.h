#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift::testing {

using std::chrono::milliseconds;

// Long enough for a first start of a program in a fresh Wine prefix on a busy machine.
inline constexpr milliseconds kPatience{15000};

// The installed screen saver (system folder's Glowdrift.scr, or the copy named), started with a
// command tail the way Windows starts it. A process still running when the object goes away is
// ended, so that one failed test does not leave a saver over the screen for the next.
class SaverProcess {
 public:
  explicit SaverProcess(const std::string& commandTail);
  SaverProcess(const std::string& program, const std::string& commandTail);
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;
  ~SaverProcess();

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.Get(); }
  // The exit code once the process has ended within the time, else nothing. Keeps this
  // program's own windows answering while it waits.
  std::optional<DWORD> WaitForExit(milliseconds patience = kPatience);
  bool IsRunning();

 private:
  win::UniqueKernelObject process_;
  DWORD id_ = 0;
};

// Handles this program's own window messages for the given time (windows of the driver that
// the saver talks to must keep answering).
void PumpMessagesFor(milliseconds duration);

// Handles this program's own window messages until `holds` is true or `patience` has passed;
// true if it held in time.
bool PumpMessagesUntil(const std::function<bool()>& holds, milliseconds patience = kPatience);

// Whether `process` has ended by `deadline`; handles this program's own window messages while it
// waits.
bool EndsBy(HANDLE process, std::chrono::steady_clock::time_point deadline);

}  // namespace swivex::glowdrift::testing
