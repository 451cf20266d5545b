#include "console/Swivexc.h"

#include "console/FileTurn.h"
#include "console/HelpText.h"
#include "console/OutputNames.h"
#include "console/Utf8Output.h"
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
    case Command::kWeb:
      RunWeb(line, system, outcomes);
      break;
    case Command::kHelp:
      WriteUtf8(system.console, ConsoleStream::kOutput, kHelpText);
      break;
    case Command::kVersion:
      outcomes.Print("swivexc " SWIVEX_VERSION_TEXT);
      break;
  }
}

int ExitCode(const Outcomes& outcomes, StopRequest stop) {
  switch (stop) {
    case StopRequest::kInterrupt:
      return kExitInterrupted;
    case StopRequest::kTerminate:
      return kExitTerminated;
    case StopRequest::kNone:
      break;
  }
  return outcomes.AnyFailed() ? kExitFailure : kExitSuccess;
}

}  // namespace

int RunSwivexc(std::span<const std::string> arguments, ConsoleSystem& system) {
  CommandLine line;
  try {
    line = ParseCommandLine(arguments);
  } catch (const EUsageError& error) {
    WriteUtf8(system.console, ConsoleStream::kError,
              "swivexc: " + error.Message() +
                  "\nusage: " + UsageLine(error.ForCommand().value_or(Command::kHelp)) +
                  " (swivexc --help tells more)\n");
    return kExitUsage;
  }
  UseSystemSeparators(line, system.files.Syntax());
  Outcomes outcomes(system.console, line.json, system.files.Syntax().isLeadByte);
  try {
    RunCommand(line, system, outcomes);
  } catch (...) {
    // What stops a command before its first file, such as a program folder it cannot find.
    WriteUtf8(system.console, ConsoleStream::kError,
              "swivexc: " + FailureText(std::current_exception()) + "\n");
    return kExitFailure;
  }
  return ExitCode(outcomes, system.stops.Requested());
}

}  // namespace swivex::console
