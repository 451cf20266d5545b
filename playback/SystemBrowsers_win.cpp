#include <windows.h>
// shellapi.h and shlobj.h build on windows.h.
#include <shellapi.h>
#include <shlobj.h>

#include "playback/BrowserSystem.h"
#include "winsupport/AnsiPathCapacity.h"
#include "winsupport/ComApartment.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

bool ReadAppPath(HKEY root, const char* name, BoundedText& path) {
  BoundedText key("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");
  key.Append(name);
  char value[win::kAnsiPathCapacity];
  DWORD size = sizeof value;
  if (::RegGetValueA(root, key.CStr(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return false;
  path.Append(value);
  return true;
}

// The folder's path in UTF-16 is converted without loss, or not at all: a character that the
// ANSI code page lacks would make it another folder.
bool AppendWithoutLoss(const wchar_t* wide, BoundedText& text) {
  const UINT codePage = ::GetACP();
  // UTF-8 takes neither the flag nor the question whether a character was lost: none can be.
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL lost = FALSE;
  char narrow[win::kAnsiPathCapacity];
  const int length = ::WideCharToMultiByte(codePage, flags, wide, -1, narrow, sizeof narrow,
                                           nullptr, codePage == CP_UTF8 ? nullptr : &lost);
  if (length <= 0 || lost) return false;
  text.Append(narrow);
  return true;
}

struct TaskMemoryTraits {
  using Handle = wchar_t*;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle memory) noexcept { ::CoTaskMemFree(memory); }
};

// An argument with a space is quoted; none of the stub's holds a quote or ends in a backslash.
void AppendArgument(BoundedText& commandLine, const char* argument) {
  bool spaced = false;
  for (const char* at = argument; *at != '\0'; ++at) spaced = spaced || *at == ' ' || *at == '\t';
  commandLine.Append(" ");
  if (spaced) commandLine.Append("\"");
  commandLine.Append(argument);
  if (spaced) commandLine.Append("\"");
}

}  // namespace

bool SystemBrowsers::FindRegisteredProgram(const char* name, BoundedText& path) {
  // A browser installed for this user alone registers itself in the user's hive.
  return ReadAppPath(HKEY_CURRENT_USER, name, path) || ReadAppPath(HKEY_LOCAL_MACHINE, name, path);
}

bool SystemBrowsers::StartProgram(const char* path, std::span<const char* const> arguments) {
  BoundedText commandLine("\"");
  commandLine.Append(path).Append("\"");
  for (const char* argument : arguments) AppendArgument(commandLine, argument);
  if (commandLine.Length() + 1 >= BoundedText::kCapacity) return false;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  char* line = const_cast<char*>(commandLine.CStr());
  // Nothing of the stub's is inherited: the browser outlives it and must not hold its sockets.
  if (!::CreateProcessA(path, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
    return false;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

// Other users cannot read a program's command line here: the address goes there as it is.
bool SystemBrowsers::OpenWithDefaultBrowser(const char* address, std::string_view) {
  // Shell extensions that an open may load expect a single-threaded apartment.
  const win::ComApartment apartment;
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  // No "How do you want to open this?" when nothing opens web addresses: the stub falls back
  // on the Flash player instead.
  execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  execute.lpVerb = "open";
  execute.lpFile = address;
  execute.nShow = SW_SHOWNORMAL;
  return ::ShellExecuteExA(&execute) != FALSE;
}

bool SystemBrowsers::FindLocalDataFolder(BoundedText& folder) {
  win::UniqueHandle<TaskMemoryTraits> path;
  if (FAILED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, path.Receive())))
    return false;
  return AppendWithoutLoss(path.Get(), folder);
}

// The stub is not aware of the screen's scale: the system gives it logical pixels.
bool SystemBrowsers::FindWindowRoom(WindowRoom& room) {
  RECT work{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return false;
  RECT frame{};
  if (!::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0)) return false;
  room.workArea = {work.left, work.top, work.right, work.bottom};
  room.frameWidth = frame.right - frame.left;
  room.frameHeight = frame.bottom - frame.top;
  return true;
}

// ShellExecuteEx says at once whether the open failed, and leaves no program to watch.
Launcher SystemBrowsers::DefaultBrowserLauncher() { return Launcher::Succeeded; }

void SystemBrowsers::ForgetPageAddress() {}

}  // namespace swivex
