#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/screensaver-module/SaverProcess.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift::testing {

// The user's local application data folder, where a browser's profile and a user's own copies
// of programs go.
std::string LocalAppData();

// A copy of the stand-in for Edge and Chrome (BrowserStandIn.cpp), or the program given, which
// need not exist, registered for the user under App Paths as `name` ("chrome.exe") while the
// object lives.
class RegisteredBrowser {
 public:
  explicit RegisteredBrowser(const std::string& name);
  RegisteredBrowser(const std::string& name, const std::string& program);
  RegisteredBrowser(const RegisteredBrowser&) = delete;
  RegisteredBrowser& operator=(const RegisteredBrowser&) = delete;
  ~RegisteredBrowser();

  const std::string& Program() const { return program_; }
  // Where the stand-in writes down how it was started.
  std::string Record() const { return program_ + ".txt"; }

  // How the copy was started, once its record holds its process and its program; nothing if
  // it was not within `patience`. The process is open for a wait on its end.
  struct Start {
    DWORD id = 0;
    win::UniqueKernelObject process;
    std::vector<std::string> arguments;  // as Windows split its command line, the program first
  };
  std::optional<Start> WaitForStart(milliseconds patience = kPatience) const;

 private:
  std::string key_;
  std::string program_;
};

// What the stand-in does after its start (BrowserStandIn.cpp), handed on through the
// environment of the programs that this one starts while the object lives.
class StandInAct {
 public:
  explicit StandInAct(const char* act);
  StandInAct(const StandInAct&) = delete;
  StandInAct& operator=(const StandInAct&) = delete;
  ~StandInAct();
};

}  // namespace swivex::glowdrift::testing
