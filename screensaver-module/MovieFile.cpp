#include "screensaver-module/MovieFile.h"

#include <algorithm>
#include <stdexcept>

namespace swivex::glowdrift {

MovieFile::MovieFile(const std::string& path)
    : file_(::CreateFileA(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
  if (!file_) {
    const DWORD error = ::GetLastError();
    throw std::runtime_error("Cannot open " + path + " (error " + std::to_string(error) + ").");
  }
}

std::size_t MovieFile::Read(std::uint8_t* buffer, std::size_t count) {
  DWORD arrived = 0;
  const auto asked = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
  if (!::ReadFile(file_.Get(), buffer, asked, &arrived, nullptr)) {
    const DWORD error = ::GetLastError();
    throw std::runtime_error("Cannot read the movie (error " + std::to_string(error) + ").");
  }
  return arrived;
}

}  // namespace swivex::glowdrift
