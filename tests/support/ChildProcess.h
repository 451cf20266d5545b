#pragma once

#include <string>
#include <vector>

namespace swivex::testing {

// A program started by a test; waited for when the object goes out of scope.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  int Wait();

 private:
  long long handle_ = 0;  // process handle on Windows, pid elsewhere
  bool waited_ = false;
  int exitCode_ = -1;
};

// A program built beside the running test program ("name" gets ".exe" on Windows).
std::string SiblingProgram(const std::string& name);

// Holds a file open without sharing in another process for the object's life.
class HeldByOtherProcess {
 public:
  explicit HeldByOtherProcess(const std::string& file);
  ~HeldByOtherProcess();

 private:
  std::string signal_;
  ChildProcess holder_;
};

}  // namespace swivex::testing
