#include "tests/e2e/LargeMovie.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "tests/e2e/driver/Wait.h"

namespace swivex::e2e {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

}  // namespace

void WriteLargeMovie(const std::string& name) {
  std::vector<char> chunk(kMiB);
  for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 7);
  std::ofstream out(name, std::ios::binary);
  for (std::size_t written = 0; written < kLargeMovieSize; written += chunk.size()) {
    if (written == 0) std::copy_n("FWS", 3, chunk.begin());
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    if (written == 0) std::copy_n("\0\7\16", 3, chunk.begin());
  }
  if (!out) throw DriverError("cannot write the large movie " + name);
}

}  // namespace swivex::e2e
