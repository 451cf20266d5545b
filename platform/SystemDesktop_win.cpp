// System directory, the user's data folder, file copies, the desktop's settings and starting
// programs through the ANSI Win32 API, and its wide form where the ANSI one is bound to MAX_PATH
// bytes.
#include <windows.h>
// clang-format off
#include <shlobj.h>
// clang-format on

#include "platform/AnsiText_win.h"
#include "platform/SystemDesktop.h"
#include "winsupport/AnsiPathCapacity.h"
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

// The shell's folder functions answer with an HRESULT; one that wraps a Win32 error gives that
// error back, so that the message is the system's usual one.
ErrorCode ErrorOfResult(HRESULT result) {
  return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                    : static_cast<ErrorCode>(result);
}

bool IsFolder(const std::string& name) {
  const DWORD attributes = ::GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

PathResult SystemDesktop::SystemDirectory() {
  // Asked with no buffer, it returns the size that it needs, NUL included.
  const UINT needed = ::GetSystemDirectoryA(nullptr, 0);
  if (needed == 0) return {{}, ::GetLastError()};
  std::string folder(needed, '\0');
  const UINT length = ::GetSystemDirectoryA(folder.data(), needed);
  if (length == 0) return {{}, ::GetLastError()};
  if (length >= needed) return {{}, ERROR_INSUFFICIENT_BUFFER};
  folder.resize(length);
  return {folder, 0};
}

PathResult SystemDesktop::LocalAppDataDirectory() {
  // SHGetFolderPathA fills MAX_PATH bytes, too few for a user's name in another script under
  // the UTF-8 code page; the wide form is converted instead.
  wchar_t folder[MAX_PATH] = {};
  const HRESULT result = ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE,
                                            nullptr, SHGFP_TYPE_CURRENT, folder);
  if (FAILED(result)) return {{}, ErrorOfResult(result)};
  return {AnsiFromWide(folder), 0};
}

ErrorCode SystemDesktop::CreateFolder(const std::string& name) {
  if (::CreateDirectoryA(name.c_str(), nullptr)) return 0;
  const ErrorCode error = ::GetLastError();
  return error == ERROR_ALREADY_EXISTS && IsFolder(name) ? 0 : error;
}

PathResult SystemDesktop::ShortPathName(const std::string& name) {
  std::string shortName(win::kAnsiPathCapacity, '\0');
  for (;;) {
    const DWORD length =
        ::GetShortPathNameA(name.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (length == 0) return {{}, ::GetLastError()};
    if (length < shortName.size()) {
      shortName.resize(length);
      return {shortName, 0};
    }
    shortName.resize(length);  // too small: the size it needs, with the terminating NUL
  }
}

std::string SystemDesktop::CreateScratchFile(const std::string& folder, ErrorCode& error) {
  // GetTempFileNameA cuts the name it returns off at MAX_PATH bytes: the wide form and a
  // conversion keep a folder named in any script whole.
  const std::wstring wideFolder = WideFromAnsi(folder);
  wchar_t name[MAX_PATH];
  if (::GetTempFileNameW(wideFolder.c_str(), L"swx", 0, name) == 0) {
    error = ::GetLastError();
    return {};
  }
  // Wine's GetTempFileName returns a number even when the folder refused the file (access
  // denied, a missing folder). Creating the file once more either finds it there, as
  // GetTempFileName left it, or reports the folder's own refusal.
  const win::UniqueFile again(
      ::CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  const ErrorCode refusal = again ? 0 : ::GetLastError();
  if (refusal != 0 && refusal != ERROR_FILE_EXISTS) {
    error = refusal;
    return {};
  }
  return AnsiFromWide(name);
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
