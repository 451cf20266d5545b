#include "tests/e2e/driver/Wait.h"

#include <thread>

#include "tests/e2e/driver/WindowList.h"

namespace swivex::e2e {

namespace {

constexpr std::chrono::milliseconds kPollInterval{10};

}  // namespace

void FailWait(const std::string& what) {
  throw DriverError("timed out waiting for " + what + "\n" + DescribeWindows());
}

void WaitUntil(const std::function<bool()>& ready, const std::string& what, Timeout timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (std::chrono::steady_clock::now() > deadline) FailWait(what);
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace swivex::e2e
