#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/Exceptions.h"

namespace swivex::console {

enum class Command { kBuild, kExtract, kInfo, kPictures, kWeb, kHelp, kVersion };

// What the user asked for, checked against what each command takes.
struct CommandLine {
  Command command = Command::kHelp;
  std::vector<std::string> inputs;
  std::optional<std::string> output;  // -o
  std::optional<std::string> stub;    // --stub
  bool recursive = false;             // -r
  bool json = false;                  // --json
  bool force = false;                 // --force
  bool forLinux = false;              // --linux
};

// A command line that asks for nothing this program does. The message is one line, and the
// command it was for, if it got that far, chooses the usage line shown with it.
class EUsageError : public Exception {
 public:
  EUsageError(std::string message, std::optional<Command> command)
      : Exception(std::move(message)), command_(command) {}
  std::optional<Command> ForCommand() const { return command_; }

 private:
  std::optional<Command> command_;
};

// Reads the arguments after the program's name. --help and --version win over everything else;
// options may stand before, between or after the files, and "--" makes every later argument a
// file. Raises EUsageError.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

// "swivexc build MOVIE... [-o OUT] [--linux] [--stub FILE] [--force]", the synopsis of one
// command.
std::string UsageLine(Command command);

}  // namespace swivex::console
