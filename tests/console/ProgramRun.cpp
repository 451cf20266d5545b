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
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
extern char** environ;
#endif

namespace swivex::testing {

namespace {

std::string TextOf(const std::string& file) {
  const Bytes bytes = ReadBytes(file);
  std::string text;
  for (const unsigned char byte : bytes)
    if (byte != '\r') text += static_cast<char>(byte);
  return text;
}

#ifdef _WIN32
using Handle = win::UniqueHandle<win::FileHandleTraits>;

Handle InheritableFile(const std::string& name) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return Handle(::CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              0, nullptr));
}

// The writing end of a pipe that nobody reads any more.
Handle InheritableClosedPipe() {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE reading = nullptr;
  HANDLE writing = nullptr;
  if (!::CreatePipe(&reading, &writing, &inherit, 0)) return Handle();
  ::CloseHandle(reading);
  return Handle(writing);
}

HANDLE AsHandle(long long process) { return reinterpret_cast<HANDLE>(process); }
#endif

}  // namespace

StartedProgram::StartedProgram(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::string& workingFolder, OutputTo output)
    : program_(program),
      output_(output),
      out_(workingFolder + ".out"),
      err_(workingFolder + ".err"),
      process_(Start(arguments, workingFolder)) {}

#ifdef _WIN32
long long StartedProgram::Start(const std::vector<std::string>& arguments,
                                const std::string& workingFolder) {
  std::string commandLine = "\"" + program_ + "\"";
  for (const auto& argument : arguments) commandLine += " \"" + argument + "\"";
  auto outFile = output_ == OutputTo::kFile ? InheritableFile(out_) : InheritableClosedPipe();
  auto errFile = InheritableFile(err_);
  if (!outFile || !errFile) throw std::runtime_error("cannot create the output files");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = outFile.Get();
  startup.hStdError = errFile.Get();
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        workingFolder.c_str(), &startup, &started))
    throw std::runtime_error("cannot start " + program_);
  ::CloseHandle(started.hThread);
  return reinterpret_cast<long long>(started.hProcess);
}

StartedProgram::~StartedProgram() {
  if (!ended_) ::TerminateProcess(AsHandle(process_), 99);
  ::WaitForSingleObject(AsHandle(process_), INFINITE);
  ::CloseHandle(AsHandle(process_));
}

ProgramResult StartedProgram::Wait(std::chrono::milliseconds patience) {
  if (::WaitForSingleObject(AsHandle(process_), static_cast<DWORD>(patience.count())) !=
      WAIT_OBJECT_0)
    throw std::runtime_error(program_ + " did not finish in time");
  ended_ = true;
  DWORD code = 0;
  ::GetExitCodeProcess(AsHandle(process_), &code);
  return Collect(static_cast<int>(code));
}
#else
long long StartedProgram::Start(const std::vector<std::string>& arguments,
                                const std::string& workingFolder) {
  std::vector<char*> argv{const_cast<char*>(program_.c_str())};
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2] = {-1, -1};
  if (output_ != OutputTo::kFile) {
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    if (output_ == OutputTo::kClosedPipe) {
      ::close(pipeEnds[0]);
    } else {
      unreadPipe_ = pipeEnds[0];
      // A few lines fill it.
      if (::fcntl(pipeEnds[1], F_SETPIPE_SZ, 4096) < 0)
        throw std::runtime_error("cannot size the pipe");
    }
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (output_ == OutputTo::kFile) {
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  } else {
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  }
  posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
  // Whatever the test's runner ignores or blocks, the program meets every signal as a shell
  // would start it.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t all;
  sigfillset(&all);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  pid_t pid = 0;
  const int failed =
      ::posix_spawn(&pid, program_.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
  if (failed != 0) throw std::runtime_error("cannot start " + program_);
  return pid;
}

StartedProgram::~StartedProgram() {
  if (unreadPipe_ >= 0) ::close(unreadPipe_);
  if (ended_) return;
  ::kill(static_cast<pid_t>(process_), SIGKILL);
  ::waitpid(static_cast<pid_t>(process_), nullptr, 0);
}

void StartedProgram::SendSignal(int signal) {
  if (::kill(static_cast<pid_t>(process_), signal) != 0)
    throw std::runtime_error("cannot signal " + program_);
}

bool StartedProgram::SleepsWritingOutput() const {
  const std::string proc = "/proc/" + std::to_string(process_);
  // The call a sleeping process is in, and its first argument: "1 0x1 ..." for write(1, ...)
  // on x86-64; "running" while it runs.
  std::ifstream call(proc + "/syscall");
  std::string number;
  std::string descriptor;
  if (!(call >> number >> descriptor) || number != std::to_string(SYS_write) || descriptor != "0x1")
    return false;
  // The signals sent to its thread and to the process that it has not taken yet, in hex.
  std::ifstream status(proc + "/status");
  for (std::string line; std::getline(status, line);) {
    if ((line.starts_with("SigPnd:") || line.starts_with("ShdPnd:")) &&
        std::stoull(line.substr(7), nullptr, 16) != 0)
      return false;
  }
  return true;
}

ProgramResult StartedProgram::Wait(std::chrono::milliseconds patience) {
  const auto pid = static_cast<pid_t>(process_);
  int status = 0;
  if (!PollUntil([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, patience))
    throw std::runtime_error(program_ + " did not finish in time");
  ended_ = true;
  return Collect(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}
#endif

ProgramResult StartedProgram::Collect(int exitCode) {
  ProgramResult result{exitCode, output_ == OutputTo::kFile ? TextOf(out_) : "", TextOf(err_)};
  std::remove(out_.c_str());
  std::remove(err_.c_str());
  return result;
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingFolder) {
  return StartedProgram(program, arguments, workingFolder).Wait();
}

}  // namespace swivex::testing
