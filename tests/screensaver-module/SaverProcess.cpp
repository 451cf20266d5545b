#include "tests/screensaver-module/SaverProcess.h"

#include <stdexcept>

#include "tests/screensaver-module/TestSystem.h"
#include "tests/support/PollUntil.h"

namespace swivex::glowdrift::testing {

namespace {

using Clock = std::chrono::steady_clock;

DWORD RemainingMilliseconds(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

void DispatchPendingMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace

SaverProcess::SaverProcess(const std::string& commandTail)
    : SaverProcess(InstalledSaverPath(), commandTail) {}

SaverProcess::SaverProcess(const std::string& program, const std::string& commandTail) {
  // Appended piece by piece: "literal" + std::string trips GCC 12's -Wrestrict at -O2.
  std::string commandLine;
  commandLine.append("\"").append(program).append("\"");
  if (!commandTail.empty()) commandLine.append(" ").append(commandTail);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
    throw std::runtime_error(std::string("cannot start ")
                                 .append(commandLine)
                                 .append(", error ")
                                 .append(std::to_string(::GetLastError())));
  ::CloseHandle(started.hThread);
  process_.Reset(started.hProcess);
  id_ = started.dwProcessId;
}

SaverProcess::~SaverProcess() {
  if (IsRunning()) {
    ::TerminateProcess(process_.Get(), 99);
    ::WaitForSingleObject(process_.Get(), 5000);
  }
}

std::optional<DWORD> SaverProcess::WaitForExit(milliseconds patience) {
  if (!EndsBy(process_.Get(), Clock::now() + patience)) return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process_.Get(), &code);
  return code;
}

bool SaverProcess::IsRunning() { return ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

bool PumpMessagesUntil(const std::function<bool()>& holds, milliseconds patience) {
  return swivex::testing::PollUntil(holds, patience,
                                    [] { PumpMessagesFor(swivex::testing::kPollInterval); });
}

bool EndsBy(HANDLE process, Clock::time_point deadline) {
  for (;;) {
    const DWORD woken = ::MsgWaitForMultipleObjects(1, &process, FALSE,
                                                    RemainingMilliseconds(deadline), QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken != WAIT_OBJECT_0 + 1) return false;  // out of time
    DispatchPendingMessages();
  }
}

void PumpMessagesFor(milliseconds duration) {
  const auto deadline = Clock::now() + duration;
  while (Clock::now() < deadline) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, RemainingMilliseconds(deadline), QS_ALLINPUT);
    DispatchPendingMessages();
  }
}

}  // namespace swivex::glowdrift::testing
