// Files, paths and system messages through the ANSI Win32 API.
#include <windows.h>

#include "platform/SystemFiles.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

HANDLE AsHandle(NativeFile file) { return reinterpret_cast<HANDLE>(file); }

FileResult OpenWith(const std::string& name, DWORD access, DWORD disposition) {
  HANDLE handle = ::CreateFileA(name.c_str(), access, 0 /* no sharing */, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {kNoFile, ::GetLastError()};
  return {reinterpret_cast<NativeFile>(handle), 0};
}

bool IsAnsiLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

}  // namespace

FileResult SystemFiles::CreateFileExclusive(const std::string& name) {
  return OpenWith(name, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
}

FileResult SystemFiles::OpenFileExclusive(const std::string& name) {
  return OpenWith(name, GENERIC_READ, OPEN_EXISTING);
}

TransferResult SystemFiles::ReadFile(NativeFile file, void* buffer, std::size_t count) {
  DWORD done = 0;
  if (!::ReadFile(AsHandle(file), buffer, static_cast<DWORD>(count), &done, nullptr))
    return {0, ::GetLastError()};
  return {done, 0};
}

TransferResult SystemFiles::WriteFile(NativeFile file, const void* buffer, std::size_t count) {
  DWORD done = 0;
  if (!::WriteFile(AsHandle(file), buffer, static_cast<DWORD>(count), &done, nullptr))
    return {0, ::GetLastError()};
  return {done, 0};
}

bool SystemFiles::SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  // A negative result fails with ERROR_NEGATIVE_SEEK and leaves the position unchanged.
  return ::SetFilePointerEx(AsHandle(file), distance, nullptr,
                            origin == SeekOrigin::End ? FILE_END : FILE_BEGIN) != 0;
}

std::uint64_t SystemFiles::FileSize(NativeFile file) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(AsHandle(file), &size)) return 0;
  return static_cast<std::uint64_t>(size.QuadPart);
}

void SystemFiles::CloseFile(NativeFile file) { ::CloseHandle(AsHandle(file)); }

bool SystemFiles::RemoveFile(const std::string& name) { return ::DeleteFileA(name.c_str()) != 0; }

std::string SystemFiles::FullPathName(const std::string& name) {
  DWORD needed = ::GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return name;
  std::string path(needed, '\0');
  DWORD length = ::GetFullPathNameA(name.c_str(), needed, path.data(), nullptr);
  if (length == 0 || length >= needed) return name;
  path.resize(length);
  return path;
}

std::string SystemFiles::ModuleFileName() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: a long path behind a \\?\ prefix
  }
}

std::string SystemFiles::SystemMessage(ErrorCode error) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  const win::UniqueLocal buffer(text);
  if (length == 0 || text == nullptr) return {};
  return std::string(text, length);
}

PathSyntax SystemFiles::Syntax() { return {'\\', IsAnsiLeadByte}; }

}  // namespace swivex
