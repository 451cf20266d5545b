#include <spawn.h>
#include <sys/wait.h>

#include "player-stub/server/BrowserSystem.h"

extern char** environ;

namespace swivex {

namespace {

// The program that OpenWithDefaultBrowser started, while it runs, and how it stands. One
// SystemBrowsers serves the whole stub.
pid_t launcher = 0;
Launcher launcherState = Launcher::Succeeded;

// The browser runs in a session of its own: Ctrl+C in the terminal that started the projector
// ends the projector, not the browser window.
bool Spawn(const char* program, char* const arguments[], bool searchPath, pid_t& process) {
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return false;
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  const int error = searchPath
                        ? posix_spawnp(&process, program, nullptr, &attributes, arguments, environ)
                        : posix_spawn(&process, program, nullptr, &attributes, arguments, environ);
  posix_spawnattr_destroy(&attributes);
  return error == 0;
}

}  // namespace

// Programs are not registered by name here: the default browser is the one way.
bool SystemBrowsers::FindRegisteredProgram(const char*, StubText&) { return false; }

bool SystemBrowsers::StartProgram(const char* path, std::span<const char* const> arguments) {
  constexpr std::size_t kMostArguments = 8;
  if (arguments.size() > kMostArguments) return false;
  char* line[kMostArguments + 2] = {const_cast<char*>(path)};
  for (std::size_t index = 0; index < arguments.size(); ++index)
    line[index + 1] = const_cast<char*>(arguments[index]);
  pid_t process = 0;
  return Spawn(path, line, false, process);
}

bool SystemBrowsers::OpenWithDefaultBrowser(const char* address) {
  char program[] = "xdg-open";
  char* const line[] = {program, const_cast<char*>(address), nullptr};
  if (!Spawn(program, line, true, launcher)) return false;
  launcherState = Launcher::Running;
  return true;
}

// xdg-open exits with 0 once it has handed the address on; any other end means no browser.
Launcher SystemBrowsers::DefaultBrowserLauncher() {
  int status = 0;
  if (launcherState == Launcher::Running && waitpid(launcher, &status, WNOHANG) == launcher) {
    const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    launcherState = succeeded ? Launcher::Succeeded : Launcher::Failed;
  }
  return launcherState;
}

}  // namespace swivex
