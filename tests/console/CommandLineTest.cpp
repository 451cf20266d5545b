#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "console/CommandLine.h"

namespace swivex::console {
namespace {

struct Accepted {
  std::vector<std::string> arguments;
  Command command;
  std::vector<std::string> inputs;
  std::optional<std::string> output;
  std::optional<std::string> stub;
  bool recursive;
  bool json;
  bool force;
  bool forLinux = false;
};

TEST(CommandLine, AcceptsEachCommandWithItsOptionsAnywhere) {
  const Accepted cases[] = {
      {{"build", "a.swf"}, Command::kBuild, {"a.swf"}, {}, {}, false, false, false},
      {{"build", "a.swf", "--linux"},
       Command::kBuild,
       {"a.swf"},
       {},
       {},
       false,
       false,
       false,
       true},
      {{"build", "-o", "out", "a.swf", "b.swf", "--stub", "s.exe", "--force"},
       Command::kBuild,
       {"a.swf", "b.swf"},
       "out",
       "s.exe",
       false,
       false,
       true},
      {{"extract", "-r", "dir", "x.exe", "-o", "-out"},  // a value may start with "-"
       Command::kExtract,
       {"dir", "x.exe"},
       "-out",
       {},
       true,
       false,
       false},
      {{"info", "--json", "a.swf"}, Command::kInfo, {"a.swf"}, {}, {}, false, true, false},
      {{"info", "--", "-r", "--json", "--help"},  // after "--" everything is a file
       Command::kInfo,
       {"-r", "--json", "--help"},
       {},
       {},
       false,
       false,
       false},
      {{"info", "-"}, Command::kInfo, {"-"}, {}, {}, false, false, false},
      {{"pictures", "m.swf", "-o", "dir"},
       Command::kPictures,
       {"m.swf"},
       "dir",
       {},
       false,
       false,
       false},
      {{"--help"}, Command::kHelp, {}, {}, {}, false, false, false},
      {{"pictures", "a", "b", "-h"}, Command::kHelp, {}, {}, {}, false, false, false},
      {{"nonsense", "--version"}, Command::kVersion, {}, {}, {}, false, false, false},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    const CommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.command, c.command);
    EXPECT_EQ(line.inputs, c.inputs);
    EXPECT_EQ(line.output, c.output);
    EXPECT_EQ(line.stub, c.stub);
    EXPECT_EQ(line.recursive, c.recursive);
    EXPECT_EQ(line.json, c.json);
    EXPECT_EQ(line.force, c.force);
    EXPECT_EQ(line.forLinux, c.forLinux);
  }
}

struct Refused {
  std::vector<std::string> arguments;
  const char* message;
  std::optional<Command> command;  // whose usage line goes with the message
};

TEST(CommandLine, RefusesWhatNoCommandTakesWithOneLine) {
  const Refused cases[] = {
      {{}, "no command given", std::nullopt},
      {{"convert", "a.swf"}, "unknown command \"convert\"", std::nullopt},
      {{"-o", "x", "build", "a.swf"}, "a command comes first, not the option -o", std::nullopt},
      {{"build"}, "build needs a file", Command::kBuild},
      {{"extract", "-r"}, "extract needs a file", Command::kExtract},
      {{"info", "--json", "--"}, "info needs a file", Command::kInfo},
      {{"pictures"}, "pictures needs a file", Command::kPictures},
      {{"pictures", "a.swf", "b.swf"}, "pictures takes one file, not 2", Command::kPictures},
      {{"build", "a.swf", "-o"}, "the option -o needs a value", Command::kBuild},
      {{"build", "a.swf", "--stub"}, "the option --stub needs a value", Command::kBuild},
      {{"build", "a.swf", "-o", ""}, "the option -o needs a value, not \"\"", Command::kBuild},
      {{"build", "a.swf", "-o", "x", "-o", "y"}, "the option -o is given twice", Command::kBuild},
      {{"extract", "a", "-r", "-r"}, "the option -r is given twice", Command::kExtract},
      {{"build", "a.swf", "-r"}, "the option -r does not go with build", Command::kBuild},
      {{"extract", "a", "--stub", "s"},
       "the option --stub does not go with extract",
       Command::kExtract},
      {{"info", "a", "-o", "x"}, "the option -o does not go with info", Command::kInfo},
      {{"info", "a", "--force"}, "the option --force does not go with info", Command::kInfo},
      {{"extract", "a", "--linux"},
       "the option --linux does not go with extract",
       Command::kExtract},
      {{"pictures", "a", "--json"},
       "the option --json does not go with pictures",
       Command::kPictures},
      {{"info", "a", "-x"}, "unknown option -x", Command::kInfo},
      {{"info", "a", "--o"}, "unknown option --o", Command::kInfo},
      {{"info", "a", "-json"}, "unknown option -json", Command::kInfo},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    try {
      ParseCommandLine(c.arguments);
      ADD_FAILURE() << "accepted";
    } catch (const EUsageError& error) {
      EXPECT_EQ(error.Message(), c.message);
      EXPECT_EQ(error.ForCommand(), c.command);
    }
  }
}

TEST(CommandLine, UsageLinesShowEachCommandsOptions) {
  EXPECT_EQ(UsageLine(Command::kBuild),
            "swivexc build MOVIE... [-o OUT] [--linux] [--stub FILE] [--force]");
  EXPECT_EQ(UsageLine(Command::kExtract), "swivexc extract FILE|FOLDER... [-o DIR] [-r] [--force]");
  EXPECT_EQ(UsageLine(Command::kInfo), "swivexc info FILE... [--json]");
  EXPECT_EQ(UsageLine(Command::kPictures), "swivexc pictures FILE [-o DIR] [--force]");
}

}  // namespace
}  // namespace swivex::console
