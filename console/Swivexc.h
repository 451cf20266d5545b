#pragma once

#include <span>
#include <string>

#include "console/Commands.h"

namespace swivex::console {

// Exit codes: every file succeeded; some file failed, or the command stopped before its first
// file; the command line was wrong; the program was asked to stop (Ctrl+C, Ctrl+Break, its
// console window closed, SIGINT), or terminated (SIGTERM), as shells number them.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;
inline constexpr int kExitTerminated = 143;

// The whole program after its edge: reads the arguments (without the program's name), runs the
// command and returns the exit code.
int RunSwivexc(std::span<const std::string> arguments, ConsoleSystem& system);

}  // namespace swivex::console
