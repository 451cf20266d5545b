#include "player-stub/WindowsStubSystem.h"

#include <windows.h>

#include "player-stub/SystemErrorText.h"
#include "winsupport/AnsiPathCapacity.h"

namespace swivex {

static_assert(stub_errors::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(stub_errors::kPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(stub_errors::kAccessDenied == ERROR_ACCESS_DENIED);
static_assert(stub_errors::kSharingViolation == ERROR_SHARING_VIOLATION);
static_assert(stub_errors::kHandleEof == ERROR_HANDLE_EOF);
static_assert(stub_errors::kFileExists == ERROR_FILE_EXISTS);
static_assert(stub_errors::kDiskFull == ERROR_DISK_FULL);
static_assert(stub_errors::kAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(stub_errors::kFilenameTooLong == ERROR_FILENAME_EXCED_RANGE);

namespace {

HANDLE HandleOf(StubFile file) { return reinterpret_cast<HANDLE>(file); }

StubError LastErrorUnless(BOOL succeeded) {
  return succeeded ? stub_errors::kNone : ::GetLastError();
}

// CreateFileA never returns a null handle for a file, so kNoStubFile stands for none.
StubError Opened(HANDLE handle, StubFile& file) {
  if (handle == INVALID_HANDLE_VALUE) return ::GetLastError();
  file = reinterpret_cast<StubFile>(handle);
  return stub_errors::kNone;
}

// A system call that fills a buffer of `size` chars and returns the length, 0 on failure, or
// more than the buffer holds when the text is cut short.
StubError Filled(DWORD length, DWORD size, const char* buffer, StubText& text) {
  if (length == 0) return ::GetLastError();
  if (length >= size) return stub_errors::kFilenameTooLong;
  text.Append(buffer);
  return stub_errors::kNone;
}

}  // namespace

StubError WindowsStubSystem::OwnPath(StubText& path) {
  char buffer[win::kAnsiPathCapacity];
  return Filled(::GetModuleFileNameA(nullptr, buffer, sizeof buffer), sizeof buffer, buffer, path);
}

StubError WindowsStubSystem::TempFolder(StubText& folder) {
  char buffer[win::kAnsiPathCapacity + 1];
  return Filled(::GetTempPathA(sizeof buffer, buffer), sizeof buffer, buffer, folder);
}

StubError WindowsStubSystem::CreateFolder(const char* path) {
  return LastErrorUnless(::CreateDirectoryA(path, nullptr));
}

StubError WindowsStubSystem::OpenForReading(const char* path, StubFile& file) {
  return Opened(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr),
                file);
}

StubError WindowsStubSystem::CreateNewFile(const char* path, StubFile& file) {
  return Opened(
      ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
      file);
}

StubError WindowsStubSystem::FileSize(StubFile file, std::uint64_t& size) {
  LARGE_INTEGER found;
  if (!::GetFileSizeEx(HandleOf(file), &found)) return ::GetLastError();
  size = static_cast<std::uint64_t>(found.QuadPart);
  return stub_errors::kNone;
}

StubError WindowsStubSystem::Seek(StubFile file, std::uint64_t offset) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  return LastErrorUnless(::SetFilePointerEx(HandleOf(file), position, nullptr, FILE_BEGIN));
}

StubError WindowsStubSystem::Read(StubFile file, void* buffer, std::uint32_t count,
                                  std::uint32_t& done) {
  DWORD moved = 0;
  const StubError error =
      LastErrorUnless(::ReadFile(HandleOf(file), buffer, count, &moved, nullptr));
  done = moved;
  return error;
}

StubError WindowsStubSystem::Write(StubFile file, const void* bytes, std::uint32_t count,
                                   std::uint32_t& done) {
  DWORD moved = 0;
  const StubError error =
      LastErrorUnless(::WriteFile(HandleOf(file), bytes, count, &moved, nullptr));
  done = moved;
  return error;
}

StubError WindowsStubSystem::Flush(StubFile file) {
  return LastErrorUnless(::FlushFileBuffers(HandleOf(file)));
}

StubError WindowsStubSystem::Close(StubFile file) {
  return LastErrorUnless(::CloseHandle(HandleOf(file)));
}

StubError WindowsStubSystem::Rename(const char* from, const char* to) {
  // Without MOVEFILE_REPLACE_EXISTING, a file of the new name is left alone.
  return LastErrorUnless(::MoveFileExA(from, to, 0));
}

StubError WindowsStubSystem::Delete(const char* path) {
  return LastErrorUnless(::DeleteFileA(path));
}

bool WindowsStubSystem::IsLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

void WindowsStubSystem::AppendErrorText(StubText& text, StubError error) {
  AppendSystemErrorText(text, error);
}

}  // namespace swivex
