#pragma once

#include <filesystem>
#include <string>

namespace swivex::testing {

// A fresh folder under the system's temporary folder, or under `base`, removed with everything in
// it at the end.
class TempFolder {
 public:
  TempFolder() : TempFolder(std::filesystem::temp_directory_path()) {}
  explicit TempFolder(const std::filesystem::path& base);
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::filesystem::path& Path() const { return path_; }
  // The full name of a file in the folder, as the system's file names are spelled.
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace swivex::testing
