#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>

#include "playback/FileSystem.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {

// The stub's system calls over files in memory, with Windows' rules where the stub depends on
// them: a missing folder is kPathNotFound, a taken name kFileExists or kAlreadyExists, a file
// being written is shared with nobody (not even to rename or delete it), and a file that is
// read is shared with readers only. A file whose last writes were not flushed before it was
// closed must not be renamed: after a crash its name could hold what never reached the disk. Paths
// are text; the folder of "C:\a\b" is "C:\a".
class MemoryFileSystem final : public FileSystem {
 public:
  MemoryFileSystem();

  std::string ownPath = "C:\\Games\\intro.exe";
  std::string tempFolder = "C:\\Temp\\";
  std::map<std::string, Bytes> files;
  std::set<std::string> folders = {"C:", "C:\\Games", "C:\\Temp"};
  // Files that another program holds open without sharing them.
  std::set<std::string> held;
  // The bytes that start a double-byte character: none, unless a test says so.
  std::set<unsigned char> leadBytes;

  // Runs before every rename, as another program might just then.
  std::function<void(const std::string& to)> beforeRename;

  std::size_t OpenFiles() const { return open_.size(); }
  // The files directly in `folder`, by name.
  std::map<std::string, Bytes> FilesIn(const std::string& folder) const;

  FileError OwnPath(BoundedText& path) override;
  FileError TempFolder(BoundedText& folder) override;
  FileError CreateFolder(const char* path) override;
  FileError OpenForReading(const char* path, FileHandle& file) override;
  FileError OpenBelow(const char* folder, const char* relative, FileHandle& file) override;
  FileError CreateNewFile(const char* path, FileHandle& file) override;
  FileError FileSize(FileHandle file, std::uint64_t& size) override;
  FileError Seek(FileHandle file, std::uint64_t offset) override;
  FileError Read(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t& done) override;
  FileError Write(FileHandle file, const void* bytes, std::uint32_t count,
                  std::uint32_t& done) override;
  FileError Flush(FileHandle file) override;
  FileError Close(FileHandle file) override;
  FileError Rename(const char* from, const char* to) override;
  FileError Delete(const char* path) override;
  bool IsLeadByte(unsigned char byte) override;
  void AppendErrorText(BoundedText& text, FileError error) override;

 private:
  struct OpenFile {
    std::string path;
    std::uint64_t position = 0;
    bool writing = false;
    bool unflushed = false;
  };

  // Steps over double-byte characters, as Windows does.
  std::string FolderOf(const std::string& path) const;
  bool Exists(const std::string& path) const;
  bool FolderOfExists(const std::string& path) const;
  // kSharingViolation if the file is held or open in a way that excludes `writing`.
  FileError SharingError(const std::string& path, bool writing) const;
  OpenFile* Find(FileHandle file);

  std::map<FileHandle, OpenFile> open_;
  std::set<std::string> closedUnflushed_;
  FileHandle next_ = 1;
};

}  // namespace swivex::testing
