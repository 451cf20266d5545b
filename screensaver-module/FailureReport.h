#pragma once

#include <string>

namespace swivex::glowdrift {

// How the module's process ends.
enum ExitCode : int {
  kExitDone = 0,
  kExitNoPreviewWindow = 1,  // "/p" named a window that does not exist (any more)
  kExitBadArguments = 2,
  kExitFailure = 3,  // something the module needs could not be created
};

// An error caught at a window procedure's boundary: kept here, the message loop is ended, and
// the module shows it once its windows are gone.
void ReportFailure(const char* what) noexcept;

// Shows a failure to the user in a message box titled with the module's name.
void ShowFailure(const char* what) noexcept;

// The first failure reported, or nullptr.
const char* ReportedFailure() noexcept;

// "What failed: the system's reason." for an error code that a system call gave.
std::string FailureText(const std::string& what, unsigned long error);

// The module's answer to an error that leaves a window or dialog procedure: it is reported and
// the module ends.
struct ReportFailurePolicy {
  static void OnError(const char* what) noexcept { ReportFailure(what); }
};

}  // namespace swivex::glowdrift
