#include "tests/screensaver/ControlPanelWatch.h"

#include <windows.h>
// clang-format off
#include <tlhelp32.h>
// clang-format on

#include <gtest/gtest.h>

#include <chrono>

#include "tests/screensaver/DeskCplRecord.h"
#include "tests/support/PollUntil.h"
#include "tests/support/TestFiles.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::testing {

namespace {

constexpr auto kControlPanelPatience = std::chrono::seconds(20);

bool ProcessRuns(const char* program) {
  // A snapshot that cannot be taken is INVALID_HANDLE_VALUE, like a file that cannot be opened.
  const win::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more;
       more = ::Process32Next(snapshot.Get(), &entry))
    if (::lstrcmpiA(entry.szExeFile, program) == 0) return true;
  return false;
}

bool ControlPanelRuns() { return ProcessRuns("rundll32.exe"); }

std::string RecordedPages() {
  if (!Exists(DeskCplRecordPath())) return {};
  const Bytes record = ReadBytes(DeskCplRecordPath());
  return std::string(record.begin(), record.end());
}

}  // namespace

// RunDLL32 runs on its own; once none runs, every one that was started has recorded its page.
std::string PagesOnceTheControlPanelIsDone() {
  EXPECT_TRUE(PollUntil(
      [] { return !ControlPanelRuns() && RecordedPages().find('\n') != std::string::npos; },
      kControlPanelPatience))
      << "the control panel did not record a page";
  return RecordedPages();
}

std::string PagesOnceNoControlPanelRuns() {
  EXPECT_TRUE(NoControlPanelRunsInTime()) << "RunDLL32 does not end";
  return RecordedPages();
}

void ForgetRecordedPages() { ::DeleteFileA(DeskCplRecordPath().c_str()); }

bool NoControlPanelRunsInTime() {
  return PollUntil([] { return !ControlPanelRuns(); }, kControlPanelPatience);
}

}  // namespace swivex::testing
