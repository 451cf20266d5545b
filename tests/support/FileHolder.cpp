// file_holder FILE SIGNAL: opens FILE without sharing, creates SIGNAL to say so, and keeps FILE
// open until SIGNAL is deleted (or a minute has passed). Exits 1 if FILE cannot be opened.
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/SystemFiles.h"
#include "tests/support/PollUntil.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  swivex::SystemFiles files;
  swivex::FileResult held = files.OpenFileExclusive(argv[1]);
  if (held.file == swivex::kNoFile) return 1;
  std::ofstream(argv[2]) << "held\n";
  swivex::testing::PollUntil([&] { return !std::filesystem::exists(argv[2]); },
                             std::chrono::minutes(1));
  files.CloseFile(held.file);
  return 0;
}
