#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/Wait.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {

// A program that the test started; ended by its process id when the object goes out of scope
// if it is still running.
class RunningProgram {
 public:
  // Each argument is passed in quotes.
  RunningProgram(const std::string& program, const std::string& workingFolder,
                 const std::vector<std::string>& arguments = {});
  // A command tail passed as it stands, as Windows starts a screen saver ("/s").
  struct Tail {
    std::string text;
  };
  RunningProgram(const std::string& program, const std::string& workingFolder, const Tail& tail);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();

  DWORD ProcessId() const { return processId_; }
  bool HasExited() const;
  // Waits for the program to end and returns its exit code.
  DWORD WaitForExit(Timeout timeout = kDefaultTimeout);
  // The program's first visible top-level window of this class.
  HWND WaitForWindow(const std::string& className, Timeout timeout = kDefaultTimeout) const;

 private:
  std::string program_;
  win::UniqueKernelObject process_;
  DWORD processId_ = 0;
};

}  // namespace swivex::e2e
