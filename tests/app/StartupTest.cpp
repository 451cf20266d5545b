#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "tests/support/PollUntil.h"
#include "ui/MainFrmIds.h"

namespace swivex::testing {
namespace {

// Long enough for Swivex.exe to start on a loaded machine.
constexpr std::chrono::milliseconds kPatience{15000};

// The program itself, started as a shell or a shortcut would start it.
class StartedProgram {
 public:
  explicit StartedProgram(WORD showCommand) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand;
    std::string commandLine = std::string("\"") + SWIVEX_PROGRAM + "\"";
    started_ = ::CreateProcessA(SWIVEX_PROGRAM, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                nullptr, nullptr, &startup, &process_);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  ~StartedProgram() {
    if (!started_) return;
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.hProcess, 1);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }

  bool Started() const { return started_; }

  // The program's main window, once it has been shown (or, if it is never shown within the
  // time, as it is; null if there is none).
  HWND MainWindow() const {
    HWND found = nullptr;
    PollUntil(
        [&] {
          found = FindMainWindow();
          return found != nullptr && ::IsWindowVisible(found);
        },
        kPatience);
    return found;
  }

  // Waits for the program to end; its exit code, or -1 if it is still running.
  long Ended(DWORD milliseconds) const {
    if (::WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  HWND FindMainWindow() const {
    struct Search {
      DWORD process;
      HWND found;
    } search{process_.dwProcessId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& state = *reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          char name[64] = {};
          ::GetClassNameA(window, name, sizeof(name));
          if (owner != state.process || std::string(name) != mainform::kClassName) return TRUE;
          state.found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

TEST(Startup, ShowsTheMainWindowAsTheStartAsksAndEndsWhenItCloses) {
  struct Case {
    WORD showCommand;
    bool minimised;
    bool maximised;
  };
  const Case cases[] = {
      {SW_SHOWNORMAL, false, false},     {SW_SHOWMAXIMIZED, false, true},
      {SW_SHOWMINNOACTIVE, true, false}, {SW_SHOWMINIMIZED, false, false},
      {SW_SHOWDEFAULT, false, false},    {SW_SHOWNOACTIVATE, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.showCommand);
    StartedProgram program(c.showCommand);
    ASSERT_TRUE(program.Started()) << SWIVEX_PROGRAM;
    HWND window = program.MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(::IsIconic(window) != FALSE, c.minimised);
    EXPECT_EQ(::IsZoomed(window) != FALSE, c.maximised);
    if (c.minimised) {
      EXPECT_NE(::GetForegroundWindow(), window);
    }

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.Ended(3000), 0);
  }
}

}  // namespace
}  // namespace swivex::testing
