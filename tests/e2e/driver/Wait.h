#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace swivex::e2e {

using Timeout = std::chrono::milliseconds;
// Long enough for a loaded machine; a wait that succeeds returns as soon as it can.
inline constexpr Timeout kDefaultTimeout{15000};

// A step that the driver could not carry out; its text says what it waited for and which
// windows existed at that moment.
class DriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws DriverError with `what` and the current windows.
[[noreturn]] void FailWait(const std::string& what);

// Polls `ready` until it returns true; throws DriverError naming `what` after `timeout`.
void WaitUntil(const std::function<bool()>& ready, const std::string& what,
               Timeout timeout = kDefaultTimeout);

// Polls `produce` until it yields a value and returns it; throws like WaitUntil.
template <typename T>
T WaitFor(const std::function<std::optional<T>()>& produce, const std::string& what,
          Timeout timeout = kDefaultTimeout) {
  std::optional<T> result;
  WaitUntil([&] { return (result = produce()).has_value(); }, what, timeout);
  return *result;
}

}  // namespace swivex::e2e
