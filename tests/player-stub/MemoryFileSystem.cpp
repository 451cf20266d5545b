#include "tests/player-stub/MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace swivex::testing {

using namespace file_errors;

namespace {

constexpr FileError kInvalidHandle = 6;

}  // namespace

MemoryFileSystem::MemoryFileSystem() = default;

std::map<std::string, Bytes> MemoryFileSystem::FilesIn(const std::string& folder) const {
  std::map<std::string, Bytes> found;
  for (const auto& [path, bytes] : files)
    if (FolderOf(path) == folder) found[path.substr(folder.size() + 1)] = bytes;
  return found;
}

std::string MemoryFileSystem::FolderOf(const std::string& path) const {
  std::size_t separator = 0;
  for (std::size_t at = 0; at < path.size(); ++at) {
    if (leadBytes.count(static_cast<unsigned char>(path[at])) != 0)
      ++at;
    else if (path[at] == '\\')
      separator = at;
  }
  return path.substr(0, separator);
}

bool MemoryFileSystem::Exists(const std::string& path) const {
  return files.count(path) != 0 || folders.count(path) != 0;
}

bool MemoryFileSystem::FolderOfExists(const std::string& path) const {
  return folders.count(FolderOf(path)) != 0;
}

FileError MemoryFileSystem::SharingError(const std::string& path, bool writing) const {
  if (held.count(path) != 0) return kSharingViolation;
  for (const auto& [file, open] : open_)
    if (open.path == path && (open.writing || writing)) return kSharingViolation;
  return kNone;
}

MemoryFileSystem::OpenFile* MemoryFileSystem::Find(FileHandle file) {
  const auto found = open_.find(file);
  if (found != open_.end()) return &found->second;
  ADD_FAILURE() << "the stub used file " << file << ", which is not open";
  return nullptr;
}

FileError MemoryFileSystem::OwnPath(BoundedText& path) {
  path.Append(ownPath.c_str());
  return kNone;
}

FileError MemoryFileSystem::TempFolder(BoundedText& folder) {
  folder.Append(tempFolder.c_str());
  return kNone;
}

FileError MemoryFileSystem::CreateFolder(const char* path) {
  if (Exists(path)) return kAlreadyExists;
  if (!FolderOfExists(path)) return kPathNotFound;
  folders.insert(path);
  return kNone;
}

FileError MemoryFileSystem::OpenForReading(const char* path, FileHandle& file) {
  if (folders.count(path) != 0) return kAccessDenied;
  if (files.count(path) == 0) return FolderOfExists(path) ? kFileNotFound : kPathNotFound;
  if (const FileError error = SharingError(path, false)) return error;
  file = next_++;
  open_[file] = {path, 0, false};
  return kNone;
}

FileError MemoryFileSystem::OpenBelow(const char* folder, const char* relative, FileHandle& file) {
  std::string path(folder);
  for (const char* byte = relative; *byte != '\0'; ++byte) path += *byte == '/' ? '\\' : *byte;
  return OpenForReading(path.c_str(), file);
}

FileError MemoryFileSystem::CreateNewFile(const char* path, FileHandle& file) {
  if (Exists(path)) return kFileExists;
  if (!FolderOfExists(path)) return kPathNotFound;
  files[path] = {};
  file = next_++;
  open_[file] = {path, 0, true};
  return kNone;
}

FileError MemoryFileSystem::FileSize(FileHandle file, std::uint64_t& size) {
  OpenFile* open = Find(file);
  if (!open) return kInvalidHandle;
  size = files[open->path].size();
  return kNone;
}

FileError MemoryFileSystem::Seek(FileHandle file, std::uint64_t offset) {
  OpenFile* open = Find(file);
  if (!open) return kInvalidHandle;
  open->position = offset;
  return kNone;
}

FileError MemoryFileSystem::Read(FileHandle file, void* buffer, std::uint32_t count,
                                 std::uint32_t& done) {
  OpenFile* open = Find(file);
  if (!open) return kInvalidHandle;
  if (open->writing) return kAccessDenied;
  const Bytes& bytes = files[open->path];
  const std::uint64_t left =
      open->position < bytes.size() ? bytes.size() - open->position : std::uint64_t{0};
  done = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, left));
  if (done > 0) std::memcpy(buffer, bytes.data() + open->position, done);
  open->position += done;
  return kNone;
}

FileError MemoryFileSystem::Write(FileHandle file, const void* buffer, std::uint32_t count,
                                  std::uint32_t& done) {
  OpenFile* open = Find(file);
  if (!open) return kInvalidHandle;
  if (!open->writing) return kAccessDenied;
  Bytes& bytes = files[open->path];
  const auto* from = static_cast<const unsigned char*>(buffer);
  if (bytes.size() < open->position + count) bytes.resize(open->position + count);
  std::copy(from, from + count, bytes.begin() + static_cast<std::ptrdiff_t>(open->position));
  open->position += count;
  open->unflushed = true;
  done = count;
  return kNone;
}

FileError MemoryFileSystem::Flush(FileHandle file) {
  OpenFile* open = Find(file);
  if (!open) return kInvalidHandle;
  if (!open->writing) return kAccessDenied;
  open->unflushed = false;
  return kNone;
}

FileError MemoryFileSystem::Close(FileHandle file) {
  const OpenFile* open = Find(file);
  if (!open) return kInvalidHandle;
  if (open->unflushed) closedUnflushed_.insert(open->path);
  open_.erase(file);
  return kNone;
}

FileError MemoryFileSystem::Rename(const char* from, const char* to) {
  if (beforeRename) beforeRename(to);
  if (files.count(from) == 0) return kFileNotFound;
  if (const FileError error = SharingError(from, true)) return error;
  if (Exists(to)) return kAlreadyExists;
  if (!FolderOfExists(to)) return kPathNotFound;
  if (closedUnflushed_.count(from) != 0)
    ADD_FAILURE() << "the stub renamed " << from << " without flushing what it wrote";
  files[to] = std::move(files[from]);
  files.erase(from);
  return kNone;
}

FileError MemoryFileSystem::Delete(const char* path) {
  if (files.count(path) == 0) return kFileNotFound;
  if (const FileError error = SharingError(path, true)) return error;
  files.erase(path);
  return kNone;
}

bool MemoryFileSystem::IsLeadByte(unsigned char byte) { return leadBytes.count(byte) != 0; }

void MemoryFileSystem::AppendErrorText(BoundedText& text, FileError error) {
  text.Append("System error ").Append(static_cast<unsigned long>(error));
}

}  // namespace swivex::testing
