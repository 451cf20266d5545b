// Under Windows, a projector opens its page as an app window of Microsoft Edge, else of Google
// Chrome, found through App Paths; recorders stand in for both.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "projector/Conversions.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

std::filesystem::path ProgramFolder() {
  char tests[MAX_PATH];
  ::GetModuleFileNameA(nullptr, tests, sizeof tests);
  return (std::filesystem::path(tests).parent_path() / SWIVEX_PROGRAM_DIR_FROM_TESTS)
      .lexically_normal();
}

// A browser registered for the user under App Paths while the object lives.
class RegisteredBrowser {
 public:
  RegisteredBrowser(const std::string& name, const std::string& program) : key_(kAppPaths + name) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), nullptr, REG_SZ, program.c_str(),
                      static_cast<DWORD>(program.size() + 1));
  }
  ~RegisteredBrowser() { ::RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

 private:
  std::string key_;
};

struct BrowserCase {
  const char* name;
  bool edge;
  bool chrome;
  const char* started;  // the recorder that the projector starts
};

class AppWindowTest : public ::testing::TestWithParam<BrowserCase> {};

TEST_P(AppWindowTest, OpensThePageAsAnAppWindowThatPlaysWithSound) {
  TempFolder work;
  const Bytes stub = ReadBytes((ProgramFolder() / kPlayerStubName).string());
  WriteBytes(work / "red.exe", Concat(Concat(stub, kRedRectangleMovie), ProjectorTrailer(75)));
  for (const char* recorder : {"edge-recorder.exe", "chrome-recorder.exe"})
    std::filesystem::copy_file(SiblingProgram("app_browser_recorder"), work / recorder);
  std::optional<RegisteredBrowser> edge;
  std::optional<RegisteredBrowser> chrome;
  if (GetParam().edge) edge.emplace("msedge.exe", work / "edge-recorder.exe");
  if (GetParam().chrome) chrome.emplace("chrome.exe", work / "chrome-recorder.exe");

  ChildProcess projector(work / "red.exe", {});
  EXPECT_EQ(projector.Wait(), 0) << "the page came, and went";
  const std::string recorded = work / (std::string(GetParam().started) + ".txt");
  ASSERT_TRUE(Exists(recorded)) << GetParam().started << " was not started";
  const Bytes line = ReadBytes(recorded);
  const std::string commandLine(line.begin(), line.end());
  EXPECT_NE(commandLine.find("\" --app=http://127.0.0.1:"), std::string::npos) << commandLine;
  EXPECT_NE(commandLine.find(" --autoplay-policy=no-user-gesture-required"), std::string::npos)
      << commandLine;
  const std::string other = GetParam().started == std::string("edge-recorder.exe")
                                ? "chrome-recorder.exe.txt"
                                : "edge-recorder.exe.txt";
  EXPECT_FALSE(Exists(work / other)) << "one browser window";
}

const BrowserCase kBrowsers[] = {
    {"EdgeAlone", true, false, "edge-recorder.exe"},
    {"ChromeAlone", false, true, "chrome-recorder.exe"},
    {"EdgeBeforeChrome", true, true, "edge-recorder.exe"},
};

INSTANTIATE_TEST_SUITE_P(Browsers, AppWindowTest, ::testing::ValuesIn(kBrowsers),
                         [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace swivex::testing
