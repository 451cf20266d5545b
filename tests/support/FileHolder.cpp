// file_holder FILE SIGNAL: opens FILE without sharing, creates SIGNAL to say so, and keeps FILE
// open until SIGNAL is deleted (or a minute has passed). Exits 1 if FILE cannot be opened.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/SystemFiles.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  swivex::SystemFiles files;
  swivex::FileResult held = files.OpenFileExclusive(argv[1]);
  if (held.file == swivex::kNoFile) return 1;
  std::ofstream(argv[2]) << "held\n";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::filesystem::exists(argv[2]) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  files.CloseFile(held.file);
  return 0;
}
