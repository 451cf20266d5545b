#include <gtest/gtest.h>

#include <filesystem>

#include "common/ProgramFolder.h"
#include "platform/SystemFiles.h"

namespace swivex {
namespace {

TEST(ProgramFolder, IsTheFolderOfTheRunningProgramWithItsSeparator) {
  SystemFiles files;
  const std::string folder = ProgramFolder(files);
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), files.Syntax().separator);
  EXPECT_EQ(folder + std::filesystem::path(files.ModuleFileName().path).filename().string(),
            files.ModuleFileName().path);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
}  // namespace swivex
