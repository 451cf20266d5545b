#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "playback/BrowserSystem.h"

extern char** environ;

namespace swivex {

namespace {

// The program that OpenWithDefaultBrowser started, while it runs, and how it stands. One
// SystemBrowsers serves the whole stub.
pid_t launcher = 0;
Launcher launcherState = Launcher::Succeeded;

// The folder of the stub's own and the file in it that carry the page's address to the
// browser, while they exist. In static storage: a stop signal's handler removes them.
BoundedText handoverFolder;
BoundedText handoverFile;

// The signals that stop the stub from outside, and what they did before the handover had a
// handler of its own.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previousActions[sizeof kStopSignals / sizeof kStopSignals[0]];

// Only calls that are safe in a signal handler.
void RemoveHandoverFiles() {
  if (handoverFolder.Length() == 0) return;
  unlink(handoverFile.CStr());
  rmdir(handoverFolder.CStr());
}

// The stub then stops as the signal would have stopped it.
extern "C" void RemoveHandoverAndStop(int signal) {
  RemoveHandoverFiles();
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigaction(signal, &fallback, nullptr);
  raise(signal);
}

// While the handover is made or removed, a stop signal waits: its handler never sees it half
// made, and no signal comes between its removal and the handler's.
class StopSignalsHeld {
 public:
  StopSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kStopSignals) sigaddset(&held, signal);
    sigprocmask(SIG_BLOCK, &held, &previous_);
  }
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;
  ~StopSignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

 private:
  sigset_t previous_;
};

// A signal that the stub was started to ignore stays ignored.
void HandleStopSignals() {
  for (std::size_t index = 0; index < sizeof kStopSignals / sizeof kStopSignals[0]; ++index) {
    sigaction(kStopSignals[index], nullptr, &previousActions[index]);
    if (previousActions[index].sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveHandoverAndStop;
    sigaction(kStopSignals[index], &action, nullptr);
  }
}

void RestoreStopSignals() {
  for (std::size_t index = 0; index < sizeof kStopSignals / sizeof kStopSignals[0]; ++index)
    sigaction(kStopSignals[index], &previousActions[index], nullptr);
}

bool Fits(const BoundedText& text) { return text.Length() + 1 < BoundedText::kCapacity; }

// A new folder that only the user may enter (mkdtemp makes it 0700): in the user's runtime
// folder, which only the user may enter either and which the system empties when the user logs
// out, else in the folder for temporary files.
bool MakeHandoverFolder() {
  const char* const runtime = getenv("XDG_RUNTIME_DIR");
  const char* const temporary = getenv("TMPDIR");
  for (const char* base : {runtime, temporary, "/tmp"}) {
    if (base == nullptr || base[0] != '/') continue;
    const BoundedText pattern = BoundedText(base).Append("/swivex-XXXXXX");
    if (!Fits(pattern)) continue;
    char folder[BoundedText::kCapacity];
    memcpy(folder, pattern.CStr(), pattern.Length() + 1);
    if (mkdtemp(folder) == nullptr) continue;
    handoverFolder = BoundedText(folder);
    return true;
  }
  return false;
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool WriteHandoverFile(std::string_view page) {
  handoverFile = handoverFolder;
  handoverFile.Append("/page.html");
  if (!Fits(handoverFile)) return false;
  const int descriptor =
      open(handoverFile.CStr(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (descriptor < 0) return false;
  const bool written = WriteAll(descriptor, page);
  return close(descriptor) == 0 && written;
}

// The folder and the file holding `page`, or nothing.
bool MakeHandover(std::string_view page) {
  const StopSignalsHeld held;
  if (!MakeHandoverFolder()) return false;
  HandleStopSignals();
  if (WriteHandoverFile(page)) return true;
  RemoveHandoverFiles();
  handoverFolder = BoundedText();
  RestoreStopSignals();
  return false;
}

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
bool SystemBrowsers::FindRegisteredProgram(const char*, BoundedText&) { return false; }

bool SystemBrowsers::StartProgram(const char* path, std::span<const char* const> arguments) {
  constexpr std::size_t kMostArguments = 8;
  if (arguments.size() > kMostArguments) return false;
  char* line[kMostArguments + 2] = {const_cast<char*>(path)};
  for (std::size_t index = 0; index < arguments.size(); ++index)
    line[index + 1] = const_cast<char*>(arguments[index]);
  pid_t process = 0;
  return Spawn(path, line, false, process);
}

// The default browser is the one way here, and it takes no switches.
bool SystemBrowsers::FindLocalDataFolder(BoundedText&) { return false; }
bool SystemBrowsers::FindWindowRoom(WindowRoom&) { return false; }

// /proc/PID/cmdline is every user's to read: xdg-open gets the handover file, never the address.
bool SystemBrowsers::OpenWithDefaultBrowser(const char*, std::string_view forwarding) {
  if (!MakeHandover(forwarding)) return false;
  char program[] = "xdg-open";
  char* const line[] = {program, const_cast<char*>(handoverFile.CStr()), nullptr};
  if (!Spawn(program, line, true, launcher)) {
    ForgetPageAddress();
    return false;
  }
  launcherState = Launcher::Running;
  return true;
}

// xdg-open exits with 0 once it has handed the file on; any other end means no browser.
Launcher SystemBrowsers::DefaultBrowserLauncher() {
  int status = 0;
  if (launcherState == Launcher::Running && waitpid(launcher, &status, WNOHANG) == launcher) {
    const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    launcherState = succeeded ? Launcher::Succeeded : Launcher::Failed;
  }
  return launcherState;
}

// A stop signal held meanwhile comes once the stub's own handling of it is gone again.
void SystemBrowsers::ForgetPageAddress() {
  if (handoverFolder.Length() == 0) return;
  const StopSignalsHeld held;
  RemoveHandoverFiles();
  handoverFolder = BoundedText();
  RestoreStopSignals();
}

}  // namespace swivex
