#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace swivex::testing {

struct ProgramResult {
  int exitCode = -1;
  std::string output;  // standard output, CRs dropped
  std::string error;   // standard error, CRs dropped
};

// Where a program's standard output goes.
enum class OutputTo {
  kFile,        // a file that the result reads
  kClosedPipe,  // a pipe whose reading end is closed before the program starts
#ifndef _WIN32
  // A pipe of one page that the test holds open and never reads: the program's writes wait
  // once it is full.
  kUnreadPipe,
#endif
};

// A program started in the folder `workingFolder`, its standard output and error caught in
// files beside it; natively with the default handling of every signal, on Windows on the test's
// console. Ended, if it still runs, when the object goes.
class StartedProgram {
 public:
  StartedProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& workingFolder, OutputTo output = OutputTo::kFile);
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  ~StartedProgram();

#ifndef _WIN32
  void SendSignal(int signal);
  // Whether the program sleeps in a write to its standard output with no signal on its way to
  // it: whatever was sent to it has been handled, and the write goes on.
  bool SleepsWritingOutput() const;
#endif
  // Waits for the program up to `patience`, after which it is ended and the test raises.
  ProgramResult Wait(std::chrono::milliseconds patience = std::chrono::seconds(120));

 private:
  // The program's process handle on Windows, its pid elsewhere.
  long long Start(const std::vector<std::string>& arguments, const std::string& workingFolder);
  // Both output files read and removed once the program has ended.
  ProgramResult Collect(int exitCode);

  std::string program_;
  OutputTo output_;
  std::string out_;
  std::string err_;
  int unreadPipe_ = -1;  // the reading end of kUnreadPipe
  long long process_;
  bool ended_ = false;
};

// Runs `program` to its end (see StartedProgram).
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingFolder);

}  // namespace swivex::testing
