#include "tests/support/ChildProcess.h"

#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "platform/SystemFiles.h"
#include "tests/support/PollUntil.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace swivex::testing {

#ifdef _WIN32
ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::string commandLine = "\"" + program + "\"";
  for (const auto& argument : arguments) commandLine += " \"" + argument + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    throw std::runtime_error("cannot start " + program);
  ::CloseHandle(process.hThread);
  handle_ = reinterpret_cast<long long>(process.hProcess);
}

int ChildProcess::Wait() {
  if (waited_) return exitCode_;
  HANDLE process = reinterpret_cast<HANDLE>(handle_);
  ::WaitForSingleObject(process, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process, &code);
  ::CloseHandle(process);
  waited_ = true;
  exitCode_ = static_cast<int>(code);
  return exitCode_;
}
#else
ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + program);
  handle_ = pid;
}

int ChildProcess::Wait() {
  if (waited_) return exitCode_;
  int status = 0;
  ::waitpid(static_cast<pid_t>(handle_), &status, 0);
  waited_ = true;
  exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return exitCode_;
}
#endif

ChildProcess::~ChildProcess() { Wait(); }

std::string SiblingProgram(const std::string& name) {
  std::filesystem::path self = SystemFiles().ModuleFileName().path;
#ifdef _WIN32
  return (self.parent_path() / (name + ".exe")).string();
#else
  return (self.parent_path() / name).string();
#endif
}

namespace {

std::string SignalFileFor(const std::string& file) { return file + ".held"; }

}  // namespace

HeldByOtherProcess::HeldByOtherProcess(const std::string& file)
    : signal_(SignalFileFor(file)), holder_(SiblingProgram("file_holder"), {file, signal_}) {
  if (!PollUntil([&] { return std::filesystem::exists(signal_); }, std::chrono::seconds(20)))
    throw std::runtime_error("file_holder did not take " + file);
}

HeldByOtherProcess::~HeldByOtherProcess() {
  std::error_code ignored;
  std::filesystem::remove(signal_, ignored);
  holder_.Wait();
}

}  // namespace swivex::testing
