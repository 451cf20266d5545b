// An install for a user without administrator rights puts the module and the movie into a folder
// of the user's own; the module shows the movie beside itself before the system folder's.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "tests/screensaver-module/SaverProcess.h"
#include "tests/screensaver-module/TestSystem.h"
#include "tests/screensaver-module/WindowProbe.h"

namespace swivex::glowdrift::testing {
namespace {

using ::testing::HasSubstr;

// A folder of its own under the temporary folder, holding a copy of the module as Glowdrift.scr;
// removed with everything in it at the end.
class UserFolder {
 public:
  UserFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "glowdrift-user-" + std::to_string(::GetCurrentProcessId());
    std::filesystem::create_directories(path_);
    if (!::CopyFileA(ShippedModulePath().c_str(), Module().c_str(), FALSE))
      throw std::runtime_error("cannot copy the module to " + Module());
  }
  UserFolder(const UserFolder&) = delete;
  UserFolder& operator=(const UserFolder&) = delete;
  ~UserFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string Module() const { return path_ + "\\Glowdrift.scr"; }
  std::string Movie() const { return path_ + "\\Glowdrift.swf"; }

 private:
  std::string path_;
};

void WriteFileOfSize(const std::string& name, std::uint64_t size) {
  std::ofstream file(name, std::ios::binary | std::ios::trunc);
  file << std::string(size, 'F');
  if (!file.flush()) throw std::runtime_error("cannot write " + name);
}

// What the module's settings dialog says is installed.
std::string InstalledLineOf(const std::string& module) {
  SaverProcess saver(module, "/c");
  HWND dialog = WaitForTopLevelWindow(saver.Id(), "#32770");
  if (dialog == nullptr) return "(no dialog appeared)";
  const std::string text = TextOfChildren(dialog);
  ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
  return text;
}

TEST(InstalledMovie, TheMovieBesideTheModuleComesBeforeTheSystemFolders) {
  struct Case {
    const char* name;
    std::optional<std::uint64_t> besideModule;
    bool folderBesideModule;
    std::optional<std::uint64_t> inSystemFolder;
    const char* installedLine;
  };
  const Case cases[] = {
      {"a movie beside the module", 777, false, 12345, "Installed now: Glowdrift.swf (777 bytes)"},
      {"a movie in the system folder alone", std::nullopt, false, 12345,
       "Installed now: Glowdrift.swf (12,345 bytes)"},
      {"a folder named like the movie beside the module", std::nullopt, true, 1,
       "Installed now: Glowdrift.swf (1 byte)"},
      {"neither", std::nullopt, false, std::nullopt, "Installed now: No movie is installed"},
  };
  const UserFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder.Movie());
    if (c.besideModule) WriteFileOfSize(folder.Movie(), *c.besideModule);
    if (c.folderBesideModule) std::filesystem::create_directory(folder.Movie());
    if (c.inSystemFolder)
      PlantMovie(*c.inSystemFolder);
    else
      RemoveMovie();

    EXPECT_THAT(InstalledLineOf(folder.Module()), HasSubstr(c.installedLine));
  }
}

}  // namespace
}  // namespace swivex::glowdrift::testing
