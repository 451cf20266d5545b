#include <gtest/gtest.h>

#include <filesystem>

#include "common/ProgramFolder.h"
#include "platform/Platform.h"

namespace swivex {
namespace {

TEST(ProgramFolder, IsTheFolderOfTheRunningProgramWithItsSeparator) {
  Platform& platform = SystemPlatform();
  const std::string folder = ProgramFolder(platform);
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), platform.DirectorySeparator());
  EXPECT_EQ(folder + std::filesystem::path(platform.ModuleFileName()).filename().string(),
            platform.ModuleFileName());
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
}  // namespace swivex
