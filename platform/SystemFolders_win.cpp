// Folders through the ANSI Win32 API.
#include <windows.h>

#include "platform/SystemFolders.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

// A junction or a link to a folder is not walked into: it may lead back up the tree.
PathKind KindOfAttributes(DWORD attributes) {
  const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return PathKind::kFile;
  return link ? PathKind::kOther : PathKind::kFolder;
}

}  // namespace

PathKind SystemFolders::KindOf(const std::string& name) {
  const DWORD attributes = ::GetFileAttributesA(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  // A name the user gives is taken as what it leads to, a link to a folder included.
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kFolder : PathKind::kFile;
}

FolderListing SystemFolders::List(const std::string& folder) {
  FolderListing listing;
  const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  const std::string pattern = folder + (separated ? "*" : "\\*");
  WIN32_FIND_DATAA found;
  win::UniqueHandle<win::FindHandleTraits> search(::FindFirstFileA(pattern.c_str(), &found));
  if (!search) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) listing.error = error;
    return listing;
  }
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..")
      listing.entries.push_back({name, KindOfAttributes(found.dwFileAttributes)});
  } while (::FindNextFileA(search.Get(), &found));
  const DWORD error = ::GetLastError();
  if (error != ERROR_NO_MORE_FILES) listing.error = error;
  return listing;
}

ErrorCode SystemFolders::CreateFolder(const std::string& name) {
  if (::CreateDirectoryA(name.c_str(), nullptr)) return 0;
  const DWORD error = ::GetLastError();
  return error == ERROR_ALREADY_EXISTS && KindOf(name) == PathKind::kFolder ? 0 : error;
}

ErrorCode SystemFolders::RemoveEmptyFolder(const std::string& name) {
  return ::RemoveDirectoryA(name.c_str()) ? 0 : ::GetLastError();
}

}  // namespace swivex
