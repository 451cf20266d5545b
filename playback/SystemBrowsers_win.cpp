#include <windows.h>
// shellapi.h builds on windows.h.
#include <shellapi.h>

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

}  // namespace

bool SystemBrowsers::FindRegisteredProgram(const char* name, BoundedText& path) {
  // A browser installed for this user alone registers itself in the user's hive.
  return ReadAppPath(HKEY_CURRENT_USER, name, path) || ReadAppPath(HKEY_LOCAL_MACHINE, name, path);
}

bool SystemBrowsers::StartProgram(const char* path, std::span<const char* const> arguments) {
  // The arguments are the stub's own, without quotes or spaces.
  BoundedText commandLine("\"");
  commandLine.Append(path).Append("\"");
  for (const char* argument : arguments) commandLine.Append(" ").Append(argument);
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

// ShellExecuteEx says at once whether the open failed, and leaves no program to watch.
Launcher SystemBrowsers::DefaultBrowserLauncher() { return Launcher::Succeeded; }

void SystemBrowsers::ForgetPageAddress() {}

}  // namespace swivex
