#include "screensaver-module/BrowserJob.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "screensaver-module/FailureReport.h"

namespace swivex::glowdrift {

namespace {

[[noreturn]] void Fail(const std::string& what, DWORD error) {
  throw std::runtime_error(FailureText(what, error));
}

// More processes than a browser starts for one page.
constexpr DWORD kListedProcesses = 256;

std::vector<DWORD> ProcessesOf(HANDLE job) {
  // JOBOBJECT_BASIC_PROCESS_ID_LIST ends in an array of one; the room for the others follows.
  std::vector<ULONG_PTR> room(2 + kListedProcesses);
  auto* list = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(room.data());
  list->NumberOfAssignedProcesses = kListedProcesses;
  if (!::QueryInformationJobObject(job, JobObjectBasicProcessIdList, list,
                                   static_cast<DWORD>(room.size() * sizeof(ULONG_PTR)), nullptr))
    return {};
  std::vector<DWORD> ids;
  for (DWORD index = 0; index < list->NumberOfProcessIdsInList; ++index)
    ids.push_back(static_cast<DWORD>(list->ProcessIdList[index]));
  return ids;
}

struct WindowSearch {
  std::vector<DWORD> processes;
  HWND found = nullptr;
};

BOOL CALLBACK LookAtWindow(HWND window, LPARAM search) noexcept {
  auto& wanted = *reinterpret_cast<WindowSearch*>(search);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (!::IsWindowVisible(window) || std::find(wanted.processes.begin(), wanted.processes.end(),
                                              process) == wanted.processes.end())
    return TRUE;
  wanted.found = window;
  return FALSE;
}

}  // namespace

BrowserJob::BrowserJob(const std::string& program, std::string commandLine)
    : job_(::CreateJobObjectA(nullptr, nullptr)) {
  if (!job_) Fail("Cannot create a job for the browser", ::GetLastError());
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!::SetInformationJobObject(job_.Get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits))
    Fail("Cannot set up the browser's job", ::GetLastError());

  // Suspended until it is in the job, so that nothing it starts escapes the job. Nothing of the
  // saver's is inherited: the page server's sockets stay the saver's.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, nullptr, &startup, &started))
    Fail("Cannot start " + program, ::GetLastError());
  process_.Reset(started.hProcess);
  const win::UniqueKernelObject thread(started.hThread);
  if (!::AssignProcessToJobObject(job_.Get(), process_.Get())) {
    const DWORD error = ::GetLastError();
    ::TerminateProcess(process_.Get(), 1);
    Fail("Cannot put the browser into its job", error);
  }
  if (::ResumeThread(thread.Get()) == static_cast<DWORD>(-1))
    Fail("Cannot start the browser's first thread", ::GetLastError());
}

BrowserJob::~BrowserJob() {
  // At once, rather than when the last handle is closed: a handle that a system tool opened to
  // the job must not keep the browser alive.
  ::TerminateJobObject(job_.Get(), 0);
}

bool BrowserJob::HasEnded() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
  if (!::QueryInformationJobObject(job_.Get(), JobObjectBasicAccountingInformation, &accounting,
                                   sizeof accounting, nullptr))
    return ::WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
  return accounting.ActiveProcesses == 0;
}

HWND BrowserJob::VisibleWindow() const {
  WindowSearch search{ProcessesOf(job_.Get())};
  if (!search.processes.empty()) ::EnumWindows(&LookAtWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace swivex::glowdrift
