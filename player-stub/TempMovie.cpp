#include "player-stub/TempMovie.h"

#include <shlwapi.h>
#include <windows.h>

#include <algorithm>

#include "player-stub/OwnFile.h"
#include "player-stub/SystemErrorText.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

// Names tried are "intro.swf", "intro (2).swf", ... up to "intro (999).swf".
constexpr unsigned long kMostCandidates = 999;
constexpr std::uint32_t kCopyChunk = 64 * 1024;

bool Fail(const char* what, const StubText& path, DWORD error, StubText& failure) {
  failure.Append(what).Append(" \"").Append(path).Append("\". ");
  AppendSystemErrorText(failure, error);
  failure.Append(".");
  return false;
}

// The temporary folder followed by the projector's file name without its extension.
bool TempStem(const StubText& projectorPath, StubText& stem, StubText& failure) {
  char folder[MAX_PATH + 1];
  const DWORD length = ::GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > sizeof folder) {
    failure.Append("Cannot find the folder for temporary files. ");
    AppendSystemErrorText(failure, length == 0 ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE);
    failure.Append(".");
    return false;
  }
  stem.Append(folder);
  // PathFind* step over double-byte characters.
  const char* name = ::PathFindFileNameA(projectorPath.CStr());
  const char* extension = ::PathFindExtensionA(name);
  if (name == extension) stem.Append("movie");
  stem.Append(name, extension);
  return true;
}

StubText Candidate(const StubText& stem, unsigned long number) {
  StubText path(stem.CStr());
  if (number > 1) path.Append(" (").Append(number).Append(")");
  return path.Append(".swf");
}

bool CreateUniqueSwf(const StubText& stem, StubText& path, win::UniqueFile& file,
                     StubText& failure) {
  DWORD error = ERROR_FILE_EXISTS;
  for (unsigned long number = 1; number <= kMostCandidates; ++number) {
    path = Candidate(stem, number);
    // CREATE_NEW: a file already there, whoever made it, is left alone.
    file.Reset(::CreateFileA(path.CStr(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return true;
    error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return Fail("Cannot save the movie to", path, error, failure);
}

bool WriteAll(HANDLE file, const unsigned char* bytes, std::uint32_t count, const StubText& path,
              StubText& failure) {
  while (count > 0) {
    DWORD done = 0;
    if (!::WriteFile(file, bytes, count, &done, nullptr))
      return Fail("Cannot save the movie to", path, ::GetLastError(), failure);
    if (done == 0) return Fail("Cannot save the movie to", path, ERROR_DISK_FULL, failure);
    bytes += done;
    count -= done;
  }
  return true;
}

bool CopyMovie(OwnFile& projector, const MovieLocation& movie, HANDLE target,
               const StubText& targetPath, StubText& failure) {
  // On the stack, which the default 1 MB leaves ample room for: a static buffer would be stored
  // in the file, and so in every projector.
  unsigned char copyBuffer[kCopyChunk];
  std::uint64_t offset = movie.offset;
  std::uint32_t left = movie.length;
  while (left > 0) {
    const std::uint32_t count = std::min(left, kCopyChunk);
    if (!projector.ReadAt(offset, copyBuffer, count, failure)) return false;
    if (!WriteAll(target, copyBuffer, count, targetPath, failure)) return false;
    offset += count;
    left -= count;
  }
  if (!::FlushFileBuffers(target))
    return Fail("Cannot save the movie to", targetPath, ::GetLastError(), failure);
  return true;
}

}  // namespace

bool SaveMovieToTemp(OwnFile& projector, const MovieLocation& movie, StubText& savedPath,
                     StubText& failure) {
  StubText stem;
  if (!TempStem(projector.Path(), stem, failure)) return false;
  win::UniqueFile target;
  if (!CreateUniqueSwf(stem, savedPath, target, failure)) return false;
  if (!CopyMovie(projector, movie, target.Get(), savedPath, failure)) {
    // Half a movie is worth nothing to a player: take it away again.
    target.Reset();
    ::DeleteFileA(savedPath.CStr());
    return false;
  }
  return true;
}

}  // namespace swivex
