#include "player-stub/OwnFile.h"

#include "player-stub/SystemErrorText.h"

namespace swivex {

bool OwnFile::Open(StubText& failure) {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length == sizeof path) {
    // A full buffer means the path was cut short.
    const DWORD error = length == 0 ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    failure.Append("Cannot find the projector's own file. ");
    AppendSystemErrorText(failure, error);
    failure.Append(".");
    return false;
  }
  path_ = StubText(path);
  // Windows holds the running image open for reading, so the file must be shared for reading.
  file_.Reset(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) return Fail(::GetLastError(), failure);
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file_.Get(), &size)) return Fail(::GetLastError(), failure);
  size_ = static_cast<std::uint64_t>(size.QuadPart);
  return true;
}

bool OwnFile::FindMovie(std::optional<MovieLocation>& movie, StubText& failure) {
  movie.reset();
  if (size_ < kTrailerSize) return true;
  TrailerBytes trailer;
  if (!ReadAt(size_ - kTrailerSize, trailer.data(), trailer.size(), failure)) return false;
  movie = FindEmbeddedMovie(size_, trailer);
  return true;
}

bool OwnFile::ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count, StubText& failure) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(file_.Get(), position, nullptr, FILE_BEGIN))
    return Fail(::GetLastError(), failure);
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    DWORD done = 0;
    if (!::ReadFile(file_.Get(), bytes, count, &done, nullptr))
      return Fail(::GetLastError(), failure);
    if (done == 0) return Fail(ERROR_HANDLE_EOF, failure);
    bytes += done;
    count -= done;
  }
  return true;
}

bool OwnFile::Fail(DWORD error, StubText& failure) const {
  failure.Append("Cannot read the movie from \"").Append(path_).Append("\". ");
  AppendSystemErrorText(failure, error);
  failure.Append(".");
  return false;
}

}  // namespace swivex
