#include "fuzz/MemoryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace swivex::fuzzing {

namespace {

bool NoLeadByte(unsigned char) { return false; }

}  // namespace

MemoryFiles::OpenFile* MemoryFiles::Find(NativeFile file) {
  const auto found = open_.find(file);
  return found == open_.end() ? nullptr : &found->second;
}

bool MemoryFiles::IsOpen(const std::string& name) const {
  return std::any_of(open_.begin(), open_.end(),
                     [&name](const auto& entry) { return entry.second.name == name; });
}

std::size_t MemoryFiles::Limited(std::size_t count) const {
  return largestTransfer == 0 ? count : std::min(count, largestTransfer);
}

FileResult MemoryFiles::Open(const std::string& name) {
  const auto found = files.find(name);
  if (found == files.end()) return {kNoFile, errors::kFileNotFound};
  if (IsOpen(name)) return {kNoFile, errors::kSharingViolation};
  open_[next_] = {name, &found->second, 0};
  return {next_++, 0};
}

FileResult MemoryFiles::OpenFileExclusive(const std::string& name) { return Open(name); }

FileResult MemoryFiles::OpenWritableExclusive(const std::string& name) { return Open(name); }

FileResult MemoryFiles::CreateNewFileExclusive(const std::string& name) {
  if (files.count(name) != 0) return {kNoFile, errors::kFileExists};
  files[name];
  return Open(name);
}

TransferResult MemoryFiles::ReadFile(NativeFile file, void* buffer, std::size_t count) {
  OpenFile* open = Find(file);
  if (open == nullptr) return {0, EBADF};
  const Bytes& bytes = *open->bytes;
  if (open->position >= bytes.size()) return {0, 0};
  const std::size_t done = std::min<std::uint64_t>(Limited(count), bytes.size() - open->position);
  std::memcpy(buffer, bytes.data() + open->position, done);
  open->position += done;
  return {done, 0};
}

TransferResult MemoryFiles::WriteFile(NativeFile file, const void* buffer, std::size_t count) {
  OpenFile* open = Find(file);
  if (open == nullptr) return {0, EBADF};
  Bytes& bytes = *open->bytes;
  const std::size_t done = Limited(count);
  if (bytes.size() < open->position + done) bytes.resize(open->position + done);
  std::memcpy(bytes.data() + open->position, buffer, done);
  open->position += done;
  return {done, 0};
}

ErrorCode MemoryFiles::SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) {
  OpenFile* open = Find(file);
  if (open == nullptr) return EBADF;
  const std::int64_t base =
      origin == SeekOrigin::End ? static_cast<std::int64_t>(open->bytes->size()) : 0;
  if (offset < -base) return EINVAL;
  open->position = static_cast<std::uint64_t>(base + offset);
  return 0;
}

SizeResult MemoryFiles::FileSize(NativeFile file) {
  OpenFile* open = Find(file);
  if (open == nullptr) return {0, EBADF};
  return {open->bytes->size(), 0};
}

ErrorCode MemoryFiles::AllowRunning(NativeFile file) { return Find(file) == nullptr ? EBADF : 0; }

ErrorCode MemoryFiles::FlushFile(NativeFile file) { return Find(file) == nullptr ? EBADF : 0; }

ErrorCode MemoryFiles::CloseFile(NativeFile file) { return open_.erase(file) == 0 ? EBADF : 0; }

ErrorCode MemoryFiles::RemoveFile(const std::string& name) {
  if (IsOpen(name)) return errors::kSharingViolation;
  return files.erase(name) == 0 ? errors::kFileNotFound : 0;
}

ErrorCode MemoryFiles::ReplaceExisting(const std::string& replaced,
                                       const std::string& replacement) {
  if (files.count(replaced) == 0 || files.count(replacement) == 0) return errors::kFileNotFound;
  if (IsOpen(replaced) || IsOpen(replacement)) return errors::kSharingViolation;
  files[replaced] = std::move(files[replacement]);
  files.erase(replacement);
  return 0;
}

ErrorCode MemoryFiles::RenameFile(const std::string& from, const std::string& to) {
  if (files.count(from) == 0) return errors::kFileNotFound;
  if (files.count(to) != 0) return errors::kFileExists;
  if (IsOpen(from)) return errors::kSharingViolation;
  files[to] = std::move(files[from]);
  files.erase(from);
  return 0;
}

std::string MemoryFiles::SystemMessage(ErrorCode error) {
  return "Error " + std::to_string(error) + ".";
}

PathSyntax MemoryFiles::Syntax() { return {'/', NoLeadByte}; }

}  // namespace swivex::fuzzing
