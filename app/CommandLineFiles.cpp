#include "app/CommandLineFiles.h"

#include "common/FileFailure.h"

namespace swivex {

std::vector<std::string> CommandLineFiles(int argc, char** argv, Files& files) {
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) names.push_back(PathForMessage(argv[i], files));
  return names;
}

}  // namespace swivex
