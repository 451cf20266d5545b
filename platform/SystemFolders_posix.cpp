// Folders through POSIX calls.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/SystemFolders.h"

namespace swivex {

namespace {

struct DirCloser {
  void operator()(DIR* dir) const noexcept { ::closedir(dir); }
};

// What a folder's entry is, from the type that the listing gives where the file system gives
// one: a large folder then costs no call per entry.
PathKind KindOfEntry(const std::string& name, unsigned char type) {
  switch (type) {
    case DT_DIR:
      return PathKind::kFolder;
    case DT_REG:
      return PathKind::kFile;
    case DT_LNK:
    case DT_UNKNOWN:
      break;
    default:
      return PathKind::kOther;
  }
  struct stat own {};
  if (::lstat(name.c_str(), &own) != 0) return PathKind::kMissing;
  if (S_ISDIR(own.st_mode)) return PathKind::kFolder;
  if (S_ISREG(own.st_mode)) return PathKind::kFile;
  struct stat target {};
  if (S_ISLNK(own.st_mode) && ::stat(name.c_str(), &target) == 0 && S_ISREG(target.st_mode))
    return PathKind::kFile;
  return PathKind::kOther;
}

}  // namespace

PathKind SystemFolders::KindOf(const std::string& name) {
  // A name the user gives is taken as what it leads to, a link to a folder included.
  struct stat info {};
  if (::stat(name.c_str(), &info) != 0) return PathKind::kMissing;
  if (S_ISDIR(info.st_mode)) return PathKind::kFolder;
  if (S_ISREG(info.st_mode)) return PathKind::kFile;
  return PathKind::kOther;
}

FolderListing SystemFolders::List(const std::string& folder) {
  FolderListing listing;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) {
    listing.error = static_cast<ErrorCode>(errno);
    return listing;
  }
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
  errno = 0;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..")
      listing.entries.push_back({name, KindOfEntry(prefix + name, entry->d_type)});
    errno = 0;
  }
  listing.error = static_cast<ErrorCode>(errno);
  return listing;
}

ErrorCode SystemFolders::CreateFolder(const std::string& name) {
  if (::mkdir(name.c_str(), 0777) == 0) return 0;
  const ErrorCode error = static_cast<ErrorCode>(errno);
  return error == EEXIST && KindOf(name) == PathKind::kFolder ? 0 : error;
}

ErrorCode SystemFolders::RemoveEmptyFolder(const std::string& name) {
  return ::rmdir(name.c_str()) == 0 ? 0 : static_cast<ErrorCode>(errno);
}

}  // namespace swivex
