// Files, paths and system messages through the ANSI Win32 API.
#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/SystemFiles.h"
#include "winsupport/AnsiPathCapacity.h"
#include "winsupport/SystemMessage.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

// ReadFile and WriteFile count in 32 bits; larger transfers go in pieces of this size.
constexpr std::size_t kLargestTransfer = 1u << 30;

HANDLE AsHandle(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

FileResult OpenWith(const std::string& name, DWORD access, DWORD disposition) {
  HANDLE handle = ::CreateFileA(name.c_str(), access, 0 /* no sharing */, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {kNoFile, ::GetLastError()};
  return {reinterpret_cast<NativeFile>(handle), 0};
}

// A name that the system maps to a device whatever the folder (CON, COM1, NUL, and on older
// Windows "NUL.txt" too) has its full path in the device namespace.
bool IsDeviceName(const std::string& name) {
  char full[16];
  const DWORD length = ::GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
  return length >= 4 && length < sizeof full && std::string_view(full, 4) == "\\\\.\\";
}

// Why a name did not open, where what it leads to says more than the error: a device that is
// not there (COM1 without a port), a folder that another program holds.
FileResult NotOpened(const std::string& name, DWORD error) {
  if (IsDeviceName(name)) return {kNoFile, 0, FileKind::kDevice};
  const DWORD attributes = ::GetFileAttributesA(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return {kNoFile, 0, FileKind::kFolder};
  return {kNoFile, error};
}

// Only links and junctions stand for another name; other reparse points (a cloud file, a
// deduplicated one) are the file itself.
FileKind KindOfReparsePoint(DWORD tag) {
  if (tag == static_cast<DWORD>(IO_REPARSE_TAG_AF_UNIX)) return FileKind::kSocket;
  return IsReparseTagNameSurrogate(tag) ? FileKind::kLink : FileKind::kFile;
}

FileKind KindOfOpenFile(HANDLE file, DWORD& error) {
  const DWORD type = ::GetFileType(file);
  if (type == FILE_TYPE_PIPE) return FileKind::kPipe;
  if (type != FILE_TYPE_DISK) return FileKind::kDevice;
  FILE_ATTRIBUTE_TAG_INFO info{};
  if (!::GetFileInformationByHandleEx(file, FileAttributeTagInfo, &info, sizeof info)) {
    error = ::GetLastError();
    return FileKind::kFile;
  }
  if ((info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    if (const FileKind kind = KindOfReparsePoint(info.ReparseTag); kind != FileKind::kFile)
      return kind;
  return (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::kFolder
                                                               : FileKind::kFile;
}

DWORD TransferSize(std::size_t count) {
  return static_cast<DWORD>(std::min(count, kLargestTransfer));
}

ErrorCode Outcome(BOOL succeeded) { return succeeded ? 0 : ::GetLastError(); }

// Under the UTF-8 code page no byte is a lead byte: UTF-8 is no double-byte code page, and its
// multi-byte characters hold no byte below 0x80, so none can be taken for "\\" or ".".
bool IsAnsiLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

// An existing name opened without sharing; kept only when what it opened is a disk file.
FileResult OpenFileOnly(const std::string& name, DWORD access, DWORD flags) {
  win::UniqueHandle<win::FileHandleTraits> opened(::CreateFileA(
      name.c_str(), access, 0 /* no sharing */, nullptr, OPEN_EXISTING, flags, nullptr));
  if (!opened) return NotOpened(name, ::GetLastError());
  DWORD error = 0;
  const FileKind kind = KindOfOpenFile(opened.Get(), error);
  if (error != 0) return {kNoFile, error};
  if (kind != FileKind::kFile) return {kNoFile, 0, kind};
  return {reinterpret_cast<NativeFile>(opened.Release()), 0};
}

}  // namespace

FileResult SystemFiles::OpenFileExclusive(const std::string& name) {
  // What a link or junction leads to: a source is read through its links.
  return OpenFileOnly(name, GENERIC_READ, FILE_ATTRIBUTE_NORMAL);
}

FileResult SystemFiles::OpenWritableExclusive(const std::string& name) {
  // The link or junction itself rather than what it leads to, and a folder too (backup
  // semantics), so that what was opened can be told apart.
  return OpenFileOnly(
      name, GENERIC_READ | GENERIC_WRITE,
      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
}

FileResult SystemFiles::CreateNewFileExclusive(const std::string& name) {
  return OpenWith(name, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
}

TransferResult SystemFiles::ReadFile(NativeFile file, void* buffer, std::size_t count) {
  DWORD done = 0;
  if (!::ReadFile(AsHandle(file), buffer, TransferSize(count), &done, nullptr))
    return {0, ::GetLastError()};
  return {done, 0};
}

TransferResult SystemFiles::WriteFile(NativeFile file, const void* buffer, std::size_t count) {
  DWORD done = 0;
  if (!::WriteFile(AsHandle(file), buffer, TransferSize(count), &done, nullptr))
    return {0, ::GetLastError()};
  return {done, 0};
}

TransferResult SystemFiles::CopyRange(NativeFile, NativeFile, std::size_t) {
  return {0, errors::kNotSupported};
}

ErrorCode SystemFiles::SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  // A negative result fails with ERROR_NEGATIVE_SEEK and leaves the position unchanged.
  return Outcome(::SetFilePointerEx(AsHandle(file), distance, nullptr,
                                    origin == SeekOrigin::End ? FILE_END : FILE_BEGIN));
}

SizeResult SystemFiles::FileSize(NativeFile file) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(AsHandle(file), &size)) return {0, ::GetLastError()};
  return {static_cast<std::uint64_t>(size.QuadPart), 0};
}

ErrorCode SystemFiles::AllowRunning(NativeFile) { return 0; }

ErrorCode SystemFiles::FlushFile(NativeFile file) {
  return Outcome(::FlushFileBuffers(AsHandle(file)));
}

ErrorCode SystemFiles::CloseFile(NativeFile file) { return Outcome(::CloseHandle(AsHandle(file))); }

ErrorCode SystemFiles::RemoveFile(const std::string& name) {
  return Outcome(::DeleteFileA(name.c_str()));
}

ErrorCode SystemFiles::ReplaceExisting(const std::string& replaced,
                                       const std::string& replacement) {
  // ReplaceFileA gives the replacement the replaced file's attributes, security and streams on
  // Windows; Wine moves the replacement over as it is, so the attributes are carried over first.
  const DWORD attributes = ::GetFileAttributesA(replaced.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES)
    ::SetFileAttributesA(replacement.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  // A volume that cannot merge them (a network share) does not stop the replacement.
  return Outcome(::ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr));
}

ErrorCode SystemFiles::RenameFile(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING: a file that appeared under the name meanwhile stays.
  return Outcome(::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH));
}

PathResult SystemFiles::FullPathName(const std::string& name) {
  const DWORD needed = ::GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {{}, ::GetLastError()};
  std::string path(needed, '\0');
  const DWORD length = ::GetFullPathNameA(name.c_str(), needed, path.data(), nullptr);
  if (length == 0) return {{}, ::GetLastError()};
  if (length >= needed) return {{}, ERROR_INSUFFICIENT_BUFFER};  // it changed in between
  path.resize(length);
  return {path, 0};
}

PathResult SystemFiles::ModuleFileName() {
  std::string path(win::kAnsiPathCapacity, '\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {{}, ::GetLastError()};
    if (length < path.size()) {
      path.resize(length);
      return {path, 0};
    }
    path.resize(path.size() * 2);  // truncated: a long path behind a \\?\ prefix
  }
}

std::string SystemFiles::SystemMessage(ErrorCode error) { return win::SystemMessage(error); }

PathSyntax SystemFiles::Syntax() { return {'\\', IsAnsiLeadByte}; }

}  // namespace swivex
