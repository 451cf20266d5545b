// Standard output and error through POSIX calls.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SystemConsole.h"

namespace swivex {

namespace {

int Descriptor(ConsoleStream stream) {
  return stream == ConsoleStream::kOutput ? STDOUT_FILENO : STDERR_FILENO;
}

}  // namespace

// A write to a pipe without a reader then fails with EPIPE instead of raising SIGPIPE.
SystemConsole::SystemConsole() { ::signal(SIGPIPE, SIG_IGN); }

ErrorCode SystemConsole::Write(ConsoleStream stream, std::string_view text) {
  while (!text.empty()) {
    const ssize_t done = ::write(Descriptor(stream), text.data(), text.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return done < 0 ? static_cast<ErrorCode>(errno) : EIO;
    text.remove_prefix(static_cast<std::size_t>(done));
  }
  return 0;
}

bool SystemConsole::IsTerminal(ConsoleStream stream) { return ::isatty(Descriptor(stream)) == 1; }

std::string SystemConsole::Utf8FromSystem(std::string_view text) { return std::string(text); }

}  // namespace swivex
