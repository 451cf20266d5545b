#pragma once

#include <chrono>
#include <thread>

namespace swivex::testing {

// How long a test rests between two looks at a condition that it waits for.
inline constexpr std::chrono::milliseconds kPollInterval{10};

// Looks at `holds` until it is true or `patience` has passed, calling `pause` between two looks
// (tests with windows pass one that handles their messages meanwhile). True if the condition
// held in time; a condition that holds at once costs no wait.
template <typename Condition, typename Pause>
bool PollUntil(Condition&& holds, std::chrono::milliseconds patience, Pause&& pause) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!holds()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    pause();
  }
  return true;
}

template <typename Condition>
bool PollUntil(Condition&& holds, std::chrono::milliseconds patience) {
  return PollUntil(holds, patience, [] { std::this_thread::sleep_for(kPollInterval); });
}

}  // namespace swivex::testing
