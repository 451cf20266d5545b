#include "tests/console/ProgramRun.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "tests/support/PollUntil.h"
#include "tests/support/TestFiles.h"

#ifdef _WIN32
#include <windows.h>

#include "winsupport/WindowsHandles.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace swivex::testing {

namespace {

constexpr std::chrono::seconds kPatience{120};

std::string TextOf(const std::string& file) {
  const Bytes bytes = ReadBytes(file);
  std::string text;
  for (const unsigned char byte : bytes)
    if (byte != '\r') text += static_cast<char>(byte);
  return text;
}

#ifdef _WIN32
win::UniqueHandle<win::FileHandleTraits> InheritableFile(const std::string& name) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return win::UniqueHandle<win::FileHandleTraits>(::CreateFileA(
      name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
}

int Run(const std::string& program, const std::vector<std::string>& arguments,
        const std::string& folder, const std::string& out, const std::string& err) {
  std::string commandLine = "\"" + program + "\"";
  for (const auto& argument : arguments) commandLine += " \"" + argument + "\"";
  auto outFile = InheritableFile(out);
  auto errFile = InheritableFile(err);
  if (!outFile || !errFile) throw std::runtime_error("cannot create the output files");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = outFile.Get();
  startup.hStdError = errFile.Get();
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.c_str(), &startup, &started))
    throw std::runtime_error("cannot start " + program);
  win::UniqueHandle<win::KernelObjectTraits> process(started.hProcess);
  win::UniqueHandle<win::KernelObjectTraits> thread(started.hThread);
  if (::WaitForSingleObject(process.Get(), static_cast<DWORD>(kPatience.count() * 1000)) !=
      WAIT_OBJECT_0) {
    ::TerminateProcess(process.Get(), 99);
    throw std::runtime_error(program + " did not finish in time");
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.Get(), &code);
  return static_cast<int>(code);
}
#else
int Run(const std::string& program, const std::vector<std::string>& arguments,
        const std::string& folder, const std::string& out, const std::string& err) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  const int failed = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("cannot start " + program);
  int status = 0;
  const bool ended = PollUntil([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, kPatience);
  if (!ended) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    throw std::runtime_error(program + " did not finish in time");
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingFolder) {
  // Beside the working folder, so that the program's own listings do not see them.
  const std::string out = workingFolder + ".out";
  const std::string err = workingFolder + ".err";
  ProgramResult result;
  result.exitCode = Run(program, arguments, workingFolder, out, err);
  result.output = TextOf(out);
  result.error = TextOf(err);
  std::remove(out.c_str());
  std::remove(err.c_str());
  return result;
}

}  // namespace swivex::testing
