#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/PathSyntax.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

// Swivex's place among the Swivex programs of this user's session. The first one holds a named
// mutex of the session, named after the user, for as long as it runs. A Swivex started with files
// while it runs hands them to its window and ends, so that Explorer's verb on many files, which
// starts one Swivex per file, converts them in one window with one summary.
class FirstSwivex {
 public:
  // Takes the first place if it is free.
  FirstSwivex();
  FirstSwivex(const FirstSwivex&) = delete;
  FirstSwivex& operator=(const FirstSwivex&) = delete;
  // Gives the first place up.
  ~FirstSwivex();

  // Hands the files to the first Swivex's window, unless this one is the first. Until that window
  // takes them this one waits, and takes the first place itself once the other has ended: of two
  // started at the same moment, one is the first and the other hands over. After a few seconds
  // without either it gives up. Returns the files that it keeps to convert itself: none when all
  // were handed over.
  std::vector<std::string> HandOver(std::vector<std::string> files, const PathSyntax& syntax);

 private:
  bool TakeFirstPlace(DWORD waitMs);

  win::UniqueKernelObject mutex_;
  bool first_ = false;
};

}  // namespace swivex
