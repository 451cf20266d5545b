#include "tests/screensaver-module/RegisteredBrowser.h"

// After windows.h.
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tests/screensaver-module/TestSystem.h"

namespace swivex::glowdrift::testing {

namespace {

constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

}  // namespace

std::string LocalAppData() {
  char path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path)))
    throw std::runtime_error("no local application data folder");
  return path;
}

RegisteredBrowser::RegisteredBrowser(const std::string& name, const std::string& program)
    : key_(kAppPaths + name), program_(program) {
  if (::RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), nullptr, REG_SZ, program_.c_str(),
                        static_cast<DWORD>(program_.size() + 1)) != ERROR_SUCCESS)
    throw std::runtime_error("cannot register " + name);
}

// Registered first: the key goes with the object, which is whole once the other constructor has
// run, if the copy then fails.
RegisteredBrowser::RegisteredBrowser(const std::string& name)
    : RegisteredBrowser(name, LocalAppData() + "\\glowdrift-test-" + name) {
  if (!::CopyFileA(BrowserStandInPath().c_str(), program_.c_str(), FALSE))
    throw std::runtime_error("cannot copy the stand-in to " + program_);
  std::filesystem::remove(Record());
}

RegisteredBrowser::~RegisteredBrowser() { ::RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

std::optional<RegisteredBrowser::Start> RegisteredBrowser::WaitForStart(
    milliseconds patience) const {
  // The file may be in the middle of its rename when it is first seen: what it holds counts once
  // it names the process and the program.
  Start start;
  const bool recorded = PumpMessagesUntil(
      [&] {
        std::ifstream lines(Record());
        start = Start();
        lines >> start.id;
        lines.ignore(1);
        for (std::string line; std::getline(lines, line);) start.arguments.push_back(line);
        return start.id != 0 && !start.arguments.empty();
      },
      patience);
  if (!recorded) return std::nullopt;
  start.process.Reset(::OpenProcess(SYNCHRONIZE, FALSE, start.id));
  return start;
}

StandInAct::StandInAct(const char* act) { ::SetEnvironmentVariableA("GLOWDRIFT_STAND_IN", act); }

StandInAct::~StandInAct() { ::SetEnvironmentVariableA("GLOWDRIFT_STAND_IN", nullptr); }

}  // namespace swivex::glowdrift::testing
