#include "tests/e2e/driver/ThreadPause.h"

#include <tlhelp32.h>

#include <string>

#include "tests/e2e/driver/Wait.h"

namespace swivex::e2e {

std::set<DWORD> ThreadsOf(DWORD processId) {
  win::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) throw DriverError("cannot list the threads");
  std::set<DWORD> threads;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more;
       more = ::Thread32Next(snapshot.Get(), &entry)) {
    if (entry.th32OwnerProcessID == processId) threads.insert(entry.th32ThreadID);
  }
  return threads;
}

std::set<DWORD> WaitForThreadsBesides(DWORD processId, const std::set<DWORD>& before,
                                      const std::string& what) {
  return WaitFor<std::set<DWORD>>(
      [&]() -> std::optional<std::set<DWORD>> {
        std::set<DWORD> started;
        for (DWORD id : ThreadsOf(processId))
          if (!before.count(id)) started.insert(id);
        if (started.empty()) return std::nullopt;
        return started;
      },
      what);
}

ThreadPause::ThreadPause(const std::set<DWORD>& threads) {
  for (DWORD id : threads) {
    win::UniqueKernelObject thread(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, id));
    // A thread that has ended meanwhile needs no holding.
    if (!thread || ::SuspendThread(thread.Get()) == static_cast<DWORD>(-1)) continue;
    threads_.push_back(std::move(thread));
  }
}

void ThreadPause::Resume() {
  for (const auto& thread : threads_) ::ResumeThread(thread.Get());
  threads_.clear();
}

}  // namespace swivex::e2e
