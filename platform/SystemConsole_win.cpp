// Standard output and error through the Win32 console API.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/AnsiText_win.h"
#include "platform/SystemConsole.h"

namespace swivex {

namespace {

HANDLE Handle(ConsoleStream stream) {
  return ::GetStdHandle(stream == ConsoleStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(handle, &mode) != 0;
}

ErrorCode WriteWide(HANDLE console, std::string_view text) {
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  if (length == 0) return ::GetLastError();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  const wchar_t* next = wide.data();
  DWORD left = static_cast<DWORD>(wide.size());
  while (left != 0) {
    DWORD done = 0;
    if (!::WriteConsoleW(console, next, left, &done, nullptr)) return ::GetLastError();
    if (done == 0) return ERROR_WRITE_FAULT;
    next += done;
    left -= done;
  }
  return 0;
}

ErrorCode WriteBytes(HANDLE file, std::string_view text) {
  while (!text.empty()) {
    DWORD done = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
    if (!::WriteFile(file, text.data(), piece, &done, nullptr)) return ::GetLastError();
    if (done == 0) return ERROR_WRITE_FAULT;
    text.remove_prefix(done);
  }
  return 0;
}

}  // namespace

// Windows' console has no signal for a closed pipe: the write fails (ERROR_NO_DATA).
SystemConsole::SystemConsole() = default;

ErrorCode SystemConsole::Write(ConsoleStream stream, std::string_view text) {
  const HANDLE handle = Handle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return ERROR_INVALID_HANDLE;
  if (text.empty()) return 0;
  return IsConsole(handle) ? WriteWide(handle, text) : WriteBytes(handle, text);
}

bool SystemConsole::IsTerminal(ConsoleStream stream) { return IsConsole(Handle(stream)); }

// Before Windows 10 1903 the manifest's UTF-8 code page is not taken, and names come in the
// ANSI code page.
std::string SystemConsole::Utf8FromSystem(std::string_view text) {
  if (::GetACP() == CP_UTF8) return std::string(text);
  return Utf8FromWide(WideFromAnsi(std::string(text)));
}

}  // namespace swivex
