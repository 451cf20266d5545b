#pragma once

#include <span>

#include "console/CommandLine.h"
#include "console/Outcomes.h"
#include "platform/Console.h"
#include "platform/FileIdentity.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/StopRequests.h"
#include "playback/PlayerFiles.h"

namespace swivex::console {

// The system as the commands see it, created at the program's edge.
struct ConsoleSystem {
  Files& files;
  Folders& folders;
  Console& console;
  FileIdentities& identities;
  StopRequests& stops;
  // The Flash player's files that the program carries, for the web folders.
  std::span<const PlayerFile> player = {};
};

// Each command works through its files in order, reports each one to `outcomes` and goes on
// after a failure; it stops after a file that a request to stop cancelled (TakeTurn).
void RunBuild(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes);
void RunExtract(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes);
void RunInfo(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes);
void RunPictures(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes);
void RunWeb(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes);

}  // namespace swivex::console
