// What a Swivex started with files hands to the running one, and what the running one takes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/HandedFiles.h"

namespace swivex::testing {
namespace {

using namespace std::string_literals;

bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr PathSyntax kWindowsPaths{'\\', ShiftJisLeadByte};

std::string Repeated(const std::string& name, std::size_t count) {
  std::string data;
  for (std::size_t i = 0; i < count; ++i) data += name;
  return data;
}

TEST(HandedFiles, AreTakenOnlyAsAListOfFullPaths) {
  using Names = std::vector<std::string>;
  const std::string longest = "C:\\" + std::string(kMaxHandedNameBytes - 3, 'a');
  struct Case {
    const char* name;
    std::string data;
    std::optional<Names> names;
  };
  const Case cases[] = {
      {"a drive's and a share's paths", "C:\\m\\a.swf\0\\\\server\\share\\b.exe\0"s,
       Names{"C:\\m\\a.swf", "\\\\server\\share\\b.exe"}},
      {"trail bytes that equal \\ and |", "d:\\m\\\x95\\\x95|.swf\0"s,
       Names{"d:\\m\\\x95\\\x95|.swf"}},
      {"the longest name", longest + '\0', Names{longest}},
      {"the most names", Repeated("C:\\a\0"s, 1024), Names(1024, "C:\\a")},
      {"a name one byte longer", longest + "a" + '\0', std::nullopt},
      {"one name more", Repeated("C:\\a\0"s, 1025), std::nullopt},
      {"nothing", "", std::nullopt},
      {"a name without its NUL", "C:\\m\\a.swf\0C:\\m\\b.swf"s, std::nullopt},
      {"an empty name", "C:\\m\\a.swf\0\0"s, std::nullopt},
      {"a name relative to the working folder", "a.swf\0"s, std::nullopt},
      {"a name relative to a drive's folder", "C:a.swf\0"s, std::nullopt},
      {"a name relative to the drive's root", "\\m\\a.swf\0"s, std::nullopt},
      {"a share without a server", "\\\\\\share\\a.swf\0"s, std::nullopt},
      {"a control character", "C:\\m\\a\x1F.swf\0"s, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(UnpackHandedFiles(c.data, kWindowsPaths), c.names);
  }
}

TEST(HandedFiles, GoInMessagesOfAtMostTheMostNames) {
  std::vector<std::string> files;
  for (int i = 0; i < 1025; ++i) files.push_back("C:\\m\\" + std::to_string(i) + ".swf");
  const std::vector<std::string> messages = PackHandedFiles(files);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1], "C:\\m\\1024.swf\0"s);
  std::vector<std::string> unpacked = *UnpackHandedFiles(messages[0], kWindowsPaths);
  EXPECT_EQ(unpacked.size(), 1024u);
  unpacked.push_back(UnpackHandedFiles(messages[1], kWindowsPaths)->front());
  EXPECT_EQ(unpacked, files);
}

}  // namespace
}  // namespace swivex::testing
