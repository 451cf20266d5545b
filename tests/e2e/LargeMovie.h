#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace swivex::e2e {

// Large enough that its conversion is still running when the test has found its thread.
inline constexpr std::size_t kLargeMovieSize = 256 * 1024 * 1024;

// A folder on tmpfs (drive Z: is the Linux root), removed with what it holds at the end.
class ShmFolder {
 public:
  ShmFolder();
  ShmFolder(const ShmFolder&) = delete;
  ShmFolder& operator=(const ShmFolder&) = delete;
  ~ShmFolder();

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

// A movie of kLargeMovieSize bytes: the movie signature followed by bytes that count up.
void WriteLargeMovie(const std::string& name);

}  // namespace swivex::e2e
