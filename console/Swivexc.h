#pragma once

#include <span>
#include <string>

#include "console/Commands.h"

namespace swivex::console {

// Exit codes: every file succeeded; some file failed; the command line was wrong.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The whole program after its edge: reads the arguments (without the program's name), runs the
// command and returns the exit code.
int RunSwivexc(std::span<const std::string> arguments, ConsoleSystem& system);

}  // namespace swivex::console
