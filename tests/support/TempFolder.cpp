#include "tests/support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <random>

namespace swivex::testing {

TempFolder::TempFolder(const std::filesystem::path& base) {
  std::random_device entropy;
  static std::atomic<unsigned> counter{0};
  for (;;) {
    path_ = base / ("swivex-test-" + std::to_string(entropy()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(path_)) return;
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace swivex::testing
