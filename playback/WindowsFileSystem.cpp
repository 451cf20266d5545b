#include "playback/WindowsFileSystem.h"

#include <windows.h>

#include "playback/SystemErrorText.h"
#include "winsupport/AnsiPathCapacity.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

static_assert(file_errors::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(file_errors::kPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(file_errors::kAccessDenied == ERROR_ACCESS_DENIED);
static_assert(file_errors::kSharingViolation == ERROR_SHARING_VIOLATION);
static_assert(file_errors::kHandleEof == ERROR_HANDLE_EOF);
static_assert(file_errors::kFileExists == ERROR_FILE_EXISTS);
static_assert(file_errors::kDiskFull == ERROR_DISK_FULL);
static_assert(file_errors::kAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(file_errors::kFilenameTooLong == ERROR_FILENAME_EXCED_RANGE);

namespace {

HANDLE HandleOf(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileError LastErrorUnless(BOOL succeeded) {
  return succeeded ? file_errors::kNone : ::GetLastError();
}

// CreateFileA never returns a null handle for a file, so kNoFileHandle stands for none.
FileError Opened(HANDLE handle, FileHandle& file) {
  if (handle == INVALID_HANDLE_VALUE) return ::GetLastError();
  file = reinterpret_cast<FileHandle>(handle);
  return file_errors::kNone;
}

// A system call that fills a buffer of `size` chars and returns the length, 0 on failure, or
// more than the buffer holds when the text is cut short.
FileError Filled(DWORD length, DWORD size, const char* buffer, BoundedText& text) {
  if (length == 0) return ::GetLastError();
  if (length >= size) return file_errors::kFilenameTooLong;
  text.Append(buffer);
  return file_errors::kNone;
}

// The path of what `handle` is open on, with every link and junction resolved.
FileError FinalPathOf(HANDLE handle, BoundedText& path) {
  char buffer[win::kAnsiPathCapacity];
  const DWORD length = ::GetFinalPathNameByHandleA(handle, buffer, sizeof buffer, 0);
  return Filled(length, sizeof buffer, buffer, path);
}

bool StartsWith(const BoundedText& text, const BoundedText& start) {
  for (std::size_t index = 0; index < start.Length(); ++index)
    if (text.CStr()[index] != start.CStr()[index]) return false;
  return text.Length() > start.Length();
}

// Whether the file lies in the folder or below it once every link is resolved.
FileError CheckInsideFolder(const char* folder, HANDLE file) {
  const win::UniqueFile opened(
      ::CreateFileA(folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!opened) return ::GetLastError();
  BoundedText folderPath;
  BoundedText filePath;
  FileError error = FinalPathOf(opened.Get(), folderPath);
  if (error == file_errors::kNone) error = FinalPathOf(file, filePath);
  if (error != file_errors::kNone) return error;
  if (folderPath.Length() == 0 || folderPath.CStr()[folderPath.Length() - 1] != '\\')
    folderPath.Append("\\");
  return StartsWith(filePath, folderPath) ? file_errors::kNone : file_errors::kFileNotFound;
}

// A regular file on a disk: not a folder, a link or junction, a device or a pipe.
bool IsRegularFile(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information;
  if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &information))
    return false;
  constexpr DWORD kNotRegular =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
  return (information.dwFileAttributes & kNotRegular) == 0;
}

}  // namespace

FileError WindowsFileSystem::OwnPath(BoundedText& path) {
  char buffer[win::kAnsiPathCapacity];
  return Filled(::GetModuleFileNameA(nullptr, buffer, sizeof buffer), sizeof buffer, buffer, path);
}

FileError WindowsFileSystem::TempFolder(BoundedText& folder) {
  char buffer[win::kAnsiPathCapacity + 1];
  return Filled(::GetTempPathA(sizeof buffer, buffer), sizeof buffer, buffer, folder);
}

FileError WindowsFileSystem::CreateFolder(const char* path) {
  return LastErrorUnless(::CreateDirectoryA(path, nullptr));
}

FileError WindowsFileSystem::OpenForReading(const char* path, FileHandle& file) {
  return Opened(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr),
                file);
}

FileError WindowsFileSystem::OpenBelow(const char* folder, const char* relative, FileHandle& file) {
  BoundedText path(folder);
  for (const char* byte = relative; *byte != '\0'; ++byte) {
    const char name[2] = {*byte == '/' ? '\\' : *byte, '\0'};
    path.Append(name);
  }
  // BoundedText cuts what does not fit.
  if (path.Length() + 1 >= BoundedText::kCapacity) return file_errors::kFilenameTooLong;
  // The last name is opened as it is: a link there is seen as a link rather than followed.
  win::UniqueFile opened(::CreateFileA(path.CStr(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!opened) return ::GetLastError();
  if (!IsRegularFile(opened.Get())) return file_errors::kFileNotFound;
  const FileError error = CheckInsideFolder(folder, opened.Get());
  if (error != file_errors::kNone) return error;
  file = reinterpret_cast<FileHandle>(opened.Release());
  return file_errors::kNone;
}

FileError WindowsFileSystem::CreateNewFile(const char* path, FileHandle& file) {
  return Opened(
      ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
      file);
}

FileError WindowsFileSystem::FileSize(FileHandle file, std::uint64_t& size) {
  LARGE_INTEGER found;
  if (!::GetFileSizeEx(HandleOf(file), &found)) return ::GetLastError();
  size = static_cast<std::uint64_t>(found.QuadPart);
  return file_errors::kNone;
}

FileError WindowsFileSystem::Seek(FileHandle file, std::uint64_t offset) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  return LastErrorUnless(::SetFilePointerEx(HandleOf(file), position, nullptr, FILE_BEGIN));
}

FileError WindowsFileSystem::Read(FileHandle file, void* buffer, std::uint32_t count,
                                  std::uint32_t& done) {
  DWORD moved = 0;
  const FileError error =
      LastErrorUnless(::ReadFile(HandleOf(file), buffer, count, &moved, nullptr));
  done = moved;
  return error;
}

FileError WindowsFileSystem::Write(FileHandle file, const void* bytes, std::uint32_t count,
                                   std::uint32_t& done) {
  DWORD moved = 0;
  const FileError error =
      LastErrorUnless(::WriteFile(HandleOf(file), bytes, count, &moved, nullptr));
  done = moved;
  return error;
}

FileError WindowsFileSystem::Flush(FileHandle file) {
  return LastErrorUnless(::FlushFileBuffers(HandleOf(file)));
}

FileError WindowsFileSystem::Close(FileHandle file) {
  return LastErrorUnless(::CloseHandle(HandleOf(file)));
}

FileError WindowsFileSystem::Rename(const char* from, const char* to) {
  // Without MOVEFILE_REPLACE_EXISTING, a file of the new name is left alone.
  return LastErrorUnless(::MoveFileExA(from, to, 0));
}

FileError WindowsFileSystem::Delete(const char* path) {
  return LastErrorUnless(::DeleteFileA(path));
}

bool WindowsFileSystem::IsLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

void WindowsFileSystem::AppendErrorText(BoundedText& text, FileError error) {
  AppendSystemErrorText(text, error);
}

}  // namespace swivex
