// The Glowdrift screen saver. Windows starts it as Glowdrift.scr with "/s" to run it, "/p <window>"
// for the Display control panel's preview and "/c" (or nothing) for its settings.
#include <windows.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "screensaver-module/FailureReport.h"
#include "screensaver-module/InstalledMovie.h"
#include "screensaver-module/MovieCaption.h"
#include "screensaver-module/MovieFile.h"
#include "screensaver-module/MoviePlayback.h"
#include "screensaver-module/PreviewWindow.h"
#include "screensaver-module/SaverArguments.h"
#include "screensaver-module/SaverWindow.h"
#include "screensaver-module/SettingsDialog.h"
#include "screensaver-module/SettingsStore.h"
#include "winsupport/SystemDllSearch.h"

namespace swivex::glowdrift {

namespace {

constexpr char kUsage[] =
    "Glowdrift is a screen saver. Windows starts it with /s to run it, with /p and a window "
    "number for a preview, and with /c for its settings.";

// Runs until a window posts WM_QUIT; returns its exit code, or kExitFailure if a window reported
// a failure, which is shown once the windows are gone.
int RunMessageLoop() {
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return ReportedFailure() ? kExitFailure : static_cast<int>(message.wParam);
}

int Finish(int exitCode) {
  if (const char* failure = ReportedFailure()) ShowFailure(failure);
  return exitCode;
}

// Opens the installed movie afresh for each walk over it; the path is looked up once.
MovieOpener InstalledMovieOpener() {
  return [path = InstalledMoviePath()]() -> std::unique_ptr<swf::ByteSource> {
    return std::make_unique<MovieFile>(path);
  };
}

int RunSaver(HINSTANCE instance) {
  const SaverSettings settings = ReadSaverSettings();
  const std::string moviePath = InstalledMoviePath();
  std::optional<FoundBrowser> browser;
  SaverShows shows = SaverShows::PicturesAsSet;
  if (settings.playMovie && !moviePath.empty()) {
    browser = FindKioskBrowser();
    shows = browser ? SaverShows::Movie : SaverShows::PicturesWithoutBrowser;
  }
  int exitCode = kExitDone;
  {
    SaverWindow saver(instance, InstalledMovieSize(), shows, InstalledMovieOpener());
    if (browser) saver.PlayMovie(*browser, moviePath, SaverPageSettings{settings.playSound});
    exitCode = RunMessageLoop();
  }
  return Finish(exitCode);
}

int RunPreview(HINSTANCE instance, HWND parent) {
  // Windows closes the control panel's preview by destroying its window; one that is already
  // gone, or never was, needs no preview.
  if (!::IsWindow(parent)) return kExitNoPreviewWindow;
  int exitCode = kExitDone;
  {
    PreviewWindow preview(instance, parent, InstalledMovieOpener());
    exitCode = RunMessageLoop();
  }
  return Finish(exitCode);
}

int RunSettings(HINSTANCE instance, HWND owner) {
  // The headline alone, which is the same whatever the saver would show.
  SettingsDialog dialog(DescribeInstalledMovie(InstalledMovieSize(), SaverShows::Movie).headline,
                        ReadSaverSettings());
  if (dialog.Run(instance, ::IsWindow(owner) ? owner : nullptr) && !ReportedFailure())
    SaveSaverSettings(dialog.Settings());
  return Finish(ReportedFailure() ? kExitFailure : kExitDone);
}

int RunBadArguments(const std::string& problem) {
  const std::string text = problem + "\n\n" + kUsage;
  ::MessageBoxA(nullptr, text.c_str(), "Glowdrift", MB_OK | MB_ICONWARNING);
  return kExitBadArguments;
}

HWND AsWindow(std::uintptr_t number) { return reinterpret_cast<HWND>(number); }

int Run(HINSTANCE instance, const SaverArguments& arguments) {
  switch (arguments.mode) {
    case SaverMode::Show:
      return RunSaver(instance);
    case SaverMode::Preview:
      return RunPreview(instance, AsWindow(arguments.window));
    case SaverMode::Configure:
      return RunSettings(instance, AsWindow(arguments.window));
    case SaverMode::Invalid:
      break;
  }
  return RunBadArguments(arguments.problem);
}

}  // namespace

}  // namespace swivex::glowdrift

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int) {
  swivex::win::LoadDllsFromSystemFolderOnly();
  swivex::win::LoadThemeLibrariesFromSystemFolder();
  using namespace swivex::glowdrift;
  try {
    return Run(instance, ParseSaverArguments(commandTail ? commandTail : ""));
  } catch (const std::exception& error) {
    ShowFailure(error.what());
  } catch (...) {
    ShowFailure("Unknown error.");
  }
  return kExitFailure;
}
