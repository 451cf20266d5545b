// System directory, file copies, the desktop's settings and starting programs through the ANSI
// Win32 API.
#include <windows.h>

#include "platform/SystemDesktop.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

// The existence test has always gone through the file's DOS date, so a file whose last-write
// time has no local date from 1980 on does not count as existing.
bool HasDosDate(const FILETIME& written) {
  FILETIME local;
  WORD date = 0, time = 0;
  return ::FileTimeToLocalFileTime(&written, &local) &&
         ::FileTimeToDosDateTime(&local, &date, &time);
}

}  // namespace

std::string SystemDesktop::SystemDirectory() {
  char buffer[255] = {};
  UINT length = ::GetSystemDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
}

std::string SystemDesktop::CreateScratchFile(const std::string& folder, ErrorCode& error) {
  char name[MAX_PATH];
  if (::GetTempFileNameA(folder.c_str(), "swx", 0, name)) return name;
  error = ::GetLastError();
  return {};
}

bool SystemDesktop::CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) {
  if (::CopyFileA(from.c_str(), to.c_str(), FALSE)) return true;
  error = ::GetLastError();
  return false;
}

bool SystemDesktop::MoveFileOver(const std::string& from, const std::string& to, ErrorCode& error) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  error = ::GetLastError();
  return false;
}

bool SystemDesktop::FileExists(const std::string& name) {
  WIN32_FIND_DATAA found;
  const win::UniqueFind find(::FindFirstFileA(name.c_str(), &found));
  return find && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         HasDosDate(found.ftLastWriteTime);
}

void SystemDesktop::AnnounceScreenSaverChange() {
  // Running programs learn of a changed desktop setting from WM_SETTINGCHANGE, and sending it
  // directly is the one way that changes no other setting. SystemParametersInfoA broadcasts only
  // together with SPIF_UPDATEINIFILE, so re-applying SPI_SETSCREENSAVEACTIVE would also rewrite
  // (or create) ScreenSaveActive, and the old habit of re-applying SPI_SETDESKWALLPAPER with a
  // null pointer reloads, or on some systems clears, the user's wallpaper. The empty section
  // name is what the system itself passes; hung windows are skipped, not waited for.
  ::SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETSCREENSAVEACTIVE,
                        reinterpret_cast<LPARAM>(""), SMTO_ABORTIFHUNG, 2000, nullptr);
}

void SystemDesktop::StartCommandLine(const std::string& commandLine, int showMode) {
  ::WinExec(commandLine.c_str(), static_cast<UINT>(showMode));
}

}  // namespace swivex
