#pragma once

#include <windows.h>
// shobjidl.h builds on windows.h.
#include <shobjidl.h>

#include <cstdint>

#include "winsupport/WindowsHandles.h"

namespace swivex {

// A long conversion's progress on the window's taskbar button, where the system offers
// ITaskbarList3 (Windows 7 on) to a thread in a COM apartment; elsewhere nothing shows.
class TaskbarProgress {
 public:
  explicit TaskbarProgress(HWND window);
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;
  // Takes the progress off the button.
  ~TaskbarProgress();

  void Show(std::uint64_t done, std::uint64_t total);

 private:
  HWND window_;
  win::UniqueInterface<ITaskbarList3> taskbar_;
};

}  // namespace swivex
