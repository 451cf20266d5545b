#include "console/Swivexc.h"

#include "console/HelpText.h"
#include "console/OutputNames.h"
#include "resources/Version.h"

namespace swivex::console {

namespace {

void UseSystemSeparators(CommandLine& line, const PathSyntax& syntax) {
  for (std::string& input : line.inputs) input = WithSystemSeparators(input, syntax);
  if (line.output) line.output = WithSystemSeparators(*line.output, syntax);
  if (line.stub) line.stub = WithSystemSeparators(*line.stub, syntax);
}

void RunCommand(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  switch (line.command) {
    case Command::kBuild:
      RunBuild(line, system, outcomes);
      break;
    case Command::kExtract:
      RunExtract(line, system, outcomes);
      break;
    case Command::kInfo:
      RunInfo(line, system, outcomes);
      break;
    case Command::kPictures:
      RunPictures(line, system, outcomes);
      break;
    case Command::kHelp:
      system.console.Write(ConsoleStream::kOutput, kHelpText);
      break;
    case Command::kVersion:
      system.console.Write(ConsoleStream::kOutput, "swivexc " SWIVEX_VERSION_TEXT "\n");
      break;
  }
}

}  // namespace

int RunSwivexc(std::span<const std::string> arguments, ConsoleSystem& system) {
  CommandLine line;
  try {
    line = ParseCommandLine(arguments);
  } catch (const EUsageError& error) {
    system.console.Write(ConsoleStream::kError,
                         "swivexc: " + error.Message() +
                             "\nusage: " + UsageLine(error.ForCommand().value_or(Command::kHelp)) +
                             " (swivexc --help tells more)\n");
    return kExitUsage;
  }
  UseSystemSeparators(line, system.files.Syntax());
  Outcomes outcomes(system.console);
  try {
    RunCommand(line, system, outcomes);
  } catch (const Exception& error) {
    // What stops a command before its first file, such as a program folder it cannot find.
    system.console.Write(ConsoleStream::kError, "swivexc: " + error.Message() + "\n");
    return kExitFailure;
  }
  return outcomes.AnyFailed() ? kExitFailure : kExitSuccess;
}

}  // namespace swivex::console
