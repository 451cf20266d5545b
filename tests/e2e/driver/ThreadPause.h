#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {

// The ids of a process's threads at this moment.
std::set<DWORD> ThreadsOf(DWORD processId);
// Waits until the process has threads that are not among `before` and returns them: the thread
// that a step of the test made it start.
std::set<DWORD> WaitForThreadsBesides(DWORD processId, const std::set<DWORD>& before,
                                      const std::string& what);

// Holds threads of another process still, as a disk that does not answer holds the thread that
// waits for it; they go on when Resume is called or the object goes out of scope.
class ThreadPause {
 public:
  explicit ThreadPause(const std::set<DWORD>& threads);
  ThreadPause(const ThreadPause&) = delete;
  ThreadPause& operator=(const ThreadPause&) = delete;
  ~ThreadPause() { Resume(); }

  void Resume();

 private:
  std::vector<win::UniqueKernelObject> threads_;
};

}  // namespace swivex::e2e
