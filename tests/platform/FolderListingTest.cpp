// What a folder listing says each entry is, against the real system: a walk through folders
// takes files, those reached through a link too, and walks into folders themselves only, never
// through a link that may lead back up the tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/SystemFolders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

namespace fs = std::filesystem;

TEST(FolderListing, TellsFilesAndFoldersFromLinksToFoldersAndOtherThings) {
  TempFolder folder;
  WriteBytes(folder / "intro.exe", {1});
  fs::create_directory(folder / "inner");
  std::map<std::string, PathKind> expected = {{"intro.exe", PathKind::kFile},
                                              {"inner", PathKind::kFolder}};
#ifndef _WIN32
  fs::create_symlink("intro.exe", folder / "file-link.exe");
  fs::create_symlink(folder / "intro.exe", folder / "absolute-link.exe");
  fs::create_symlink("file-link.exe", folder / "link-to-link.exe");
  fs::create_directory_symlink("inner", folder / "folder-link");
  fs::create_symlink("nowhere.exe", folder / "dangling.exe");
  ASSERT_EQ(::mkfifo((folder / "pipe.exe").c_str(), 0666), 0);
  expected.insert({{"file-link.exe", PathKind::kFile},
                   {"absolute-link.exe", PathKind::kFile},
                   {"link-to-link.exe", PathKind::kFile},
                   {"folder-link", PathKind::kOther},
                   {"dangling.exe", PathKind::kOther},
                   {"pipe.exe", PathKind::kOther}});
#endif

  SystemFolders folders;
  const FolderListing listing = folders.List(folder.Path().string());

  EXPECT_EQ(listing.error, 0u);
  std::map<std::string, PathKind> listed;
  for (const FolderEntry& entry : listing.entries) listed[entry.name] = entry.kind;
  EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace swivex::testing
