#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "playback/BrowserSystem.h"

namespace swivex::testing {
namespace {

// Programs registered by their names, as Windows' App Paths holds them; nothing is started.
class RegisteredPrograms final : public BrowserSystem {
 public:
  explicit RegisteredPrograms(std::map<std::string, std::string> registered)
      : registered_(std::move(registered)) {}

  bool FindRegisteredProgram(const char* name, BoundedText& path) override {
    const auto found = registered_.find(name);
    if (found == registered_.end()) return false;
    path.Append(found->second.c_str());
    return true;
  }
  bool StartProgram(const char*, std::span<const char* const>) override { return false; }
  bool OpenWithDefaultBrowser(const char*, std::string_view) override { return false; }
  Launcher DefaultBrowserLauncher() override { return Launcher::Failed; }
  void ForgetPageAddress() override {}

 private:
  std::map<std::string, std::string> registered_;
};

struct Registration {
  const char* what;
  std::map<std::string, std::string> registered;
  std::optional<AppBrowser> found;
  std::string path;
};

TEST(AppBrowser, IsEdgeElseChromeAsTheSystemRegistersThem) {
  const std::string edge = "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe";
  const std::string chrome = "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";
  const Registration cases[] = {
      {"neither", {{"firefox.exe", "C:\\firefox.exe"}}, std::nullopt, ""},
      {"Edge", {{"msedge.exe", edge}}, AppBrowser::Edge, edge},
      {"Chrome", {{"chrome.exe", chrome}}, AppBrowser::Chrome, chrome},
      {"both", {{"chrome.exe", chrome}, {"msedge.exe", edge}}, AppBrowser::Edge, edge},
  };
  for (const Registration& tried : cases) {
    RegisteredPrograms system(tried.registered);
    BoundedText path("left over");
    EXPECT_EQ(FindAppBrowser(system, path), tried.found) << tried.what;
    EXPECT_STREQ(path.CStr(), tried.path.c_str()) << tried.what;
  }
}

}  // namespace
}  // namespace swivex::testing
