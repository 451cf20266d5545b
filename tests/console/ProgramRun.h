#pragma once

#include <string>
#include <vector>

namespace swivex::testing {

struct ProgramResult {
  int exitCode = -1;
  std::string output;  // standard output, CRs dropped
  std::string error;   // standard error, CRs dropped
};

// Runs `program` with `arguments` in the folder `workingFolder`, its standard output and error
// caught in files there, and waits for it up to a deadline (after which it is ended and the
// test raises).
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingFolder);

}  // namespace swivex::testing
