#pragma once

#include <exception>

namespace swivex::win {

// Runs code that the system called back (a window procedure, a hook, a dialog procedure), which
// no exception may leave. An exception that leaves `action` is handed to the program's policy:
// `ErrorPolicy::OnError(const char* what) noexcept` (the main program shows its error box, the
// screen saver reports the failure and ends). Returns false when that happened.
template <typename ErrorPolicy, typename Action>
bool RunGuarded(Action&& action) noexcept {
  try {
    action();
    return true;
  } catch (const std::exception& error) {
    ErrorPolicy::OnError(error.what());
  } catch (...) {
    ErrorPolicy::OnError("Unknown error.");
  }
  return false;
}

}  // namespace swivex::win
