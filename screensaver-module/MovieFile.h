#pragma once

#include <string>

#include "swf/ByteSource.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift {

// The installed movie, read front to back. Opened so that the installer can still replace or
// delete it while the saver reads.
class MovieFile final : public swf::ByteSource {
 public:
  // Raises std::runtime_error if the file cannot be opened.
  explicit MovieFile(const std::string& path);

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;

 private:
  win::UniqueFile file_;
};

}  // namespace swivex::glowdrift
