// file_holder FILE SIGNAL: opens FILE without sharing, creates SIGNAL to say so, and keeps FILE
// open until SIGNAL is deleted (or a minute has passed). Exits 1 if FILE cannot be opened.
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/Platform.h"
#include "tests/support/PollUntil.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  swivex::Platform& platform = swivex::SystemPlatform();
  swivex::FileResult held = platform.OpenFileExclusive(argv[1]);
  if (held.file == swivex::kNoFile) return 1;
  std::ofstream(argv[2]) << "held\n";
  swivex::testing::PollUntil([&] { return !std::filesystem::exists(argv[2]); },
                             std::chrono::minutes(1));
  platform.CloseFile(held.file);
  return 0;
}
