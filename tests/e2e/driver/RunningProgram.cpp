#include "tests/e2e/driver/RunningProgram.h"

#include "tests/e2e/driver/WindowList.h"

namespace swivex::e2e {

namespace {

std::string QuotedArguments(const std::vector<std::string>& arguments) {
  std::string tail;
  for (const std::string& argument : arguments)
    tail += (tail.empty() ? "\"" : " \"") + argument + "\"";
  return tail;
}

}  // namespace

RunningProgram::RunningProgram(const std::string& program, const std::string& workingFolder,
                               const std::vector<std::string>& arguments)
    : RunningProgram(program, workingFolder, Tail{QuotedArguments(arguments)}) {}

RunningProgram::RunningProgram(const std::string& program, const std::string& workingFolder,
                               const Tail& tail)
    : program_(program) {
  std::string commandLine = "\"" + program + "\"";
  if (!tail.text.empty()) commandLine += " " + tail.text;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                        &process))
    throw DriverError("cannot start " + program + " (error " + std::to_string(::GetLastError()) +
                      ")");
  ::CloseHandle(process.hThread);
  process_.Reset(process.hProcess);
  processId_ = process.dwProcessId;
}

RunningProgram::~RunningProgram() {
  if (!HasExited()) {
    ::TerminateProcess(process_.Get(), 1);
    ::WaitForSingleObject(process_.Get(), static_cast<DWORD>(kDefaultTimeout.count()));
  }
}

bool RunningProgram::HasExited() const {
  return ::WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
}

DWORD RunningProgram::WaitForExit(Timeout timeout) {
  if (::WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    FailWait(program_ + " to exit");
  DWORD code = 0;
  ::GetExitCodeProcess(process_.Get(), &code);
  return code;
}

HWND RunningProgram::WaitForWindow(const std::string& className, Timeout timeout) const {
  return WaitForTopLevelWindow({.className = className, .processId = processId_}, timeout);
}

}  // namespace swivex::e2e
