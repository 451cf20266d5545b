#include <spawn.h>

#include "player-stub/server/BrowserSystem.h"

extern char** environ;

namespace swivex {

namespace {

// The browser runs in a session of its own: Ctrl+C in the terminal that started the projector
// ends the projector, not the browser window.
bool Spawn(const char* program, char* const arguments[], bool searchPath) {
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return false;
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t process = 0;
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
  return Spawn(path, line, false);
}

bool SystemBrowsers::OpenWithDefaultBrowser(const char* address) {
  char program[] = "xdg-open";
  char* const line[] = {program, const_cast<char*>(address), nullptr};
  return Spawn(program, line, true);
}

}  // namespace swivex
