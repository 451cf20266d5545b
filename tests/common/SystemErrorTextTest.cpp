#include <gtest/gtest.h>

#include "common/SystemErrorText.h"
#include "platform/SystemFiles.h"

namespace swivex {
namespace {

TEST(TrimSystemMessage, DropsTrailingControlBytesBlanksAndPeriodsInAnyMix) {
  const std::pair<std::string, std::string> cases[] = {
      {"The system cannot find the file specified.\r\n",
       "The system cannot find the file specified"},
      {"Disk full.\r\n", "Disk full"},
      {"x. . \t.\x01", "x"},
      {std::string("end\0\0", 5), "end"},
      {"...", ""},
      {"", ""},
      {"v1.0 ready", "v1.0 ready"},
      {"a!", "a!"},
      {"\x95\x2E", "\x95"},  // the system's text is trimmed byte by byte
  };
  for (const auto& [message, trimmed] : cases) EXPECT_EQ(TrimSystemMessage(message), trimmed);
}

TEST(SystemErrorText, IsTheSystemsOwnMessageTrimmed) {
  SystemFiles files;
  const std::string text = SystemErrorText(errors::kFileNotFound, files);
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text, TrimSystemMessage(files.SystemMessage(errors::kFileNotFound)));
  EXPECT_NE(text.back(), '.');
  EXPECT_NE(text.back(), '\n');
}

}  // namespace
}  // namespace swivex
