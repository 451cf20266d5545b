// A projector for Linux, as swivexc builds it beside the Linux player stub, run for real: it
// opens its page with xdg-open (here a script that writes down what it was given, or hands it
// to Chromium), serves the movie, and ends once the page has gone.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/console/ProgramRun.h"
#include "tests/console/SwivexcPath.h"
#include "tests/playback/DevToolsPipe.h"
#include "tests/playback/HttpClient.h"
#include "tests/support/PollUntil.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VariableForPrograms.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;

// Whether the arguments of any process on the computer hold `text`, as any user may read them.
// A process that ends meanwhile has none.
bool AnyArgumentsHold(const std::string& text) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream arguments(entry.path() / "cmdline", std::ios::binary);
    const std::string held{std::istreambuf_iterator<char>(arguments), {}};
    if (held.find(text) != std::string::npos) return true;
  }
  return false;
}

class LinuxProjectorTest : public ::testing::Test {
 protected:
  LinuxProjectorTest() {
    ::umask(022);
    WriteBytes(work_ / "red.swf", kRedRectangleMovie);
    std::filesystem::create_directory(work_.Path() / "bin");
    for (const char* folder : {"runtime", "temporary"}) {
      std::filesystem::create_directory(work_.Path() / folder);
      std::filesystem::permissions(work_.Path() / folder, std::filesystem::perms::owner_all);
    }
  }

  // Puts a shell script that stands in for xdg-open in the folder "bin".
  void WriteLauncher(const std::string& script) {
    const std::string launcher = work_ / "bin/xdg-open";
    const std::string text = "#!/bin/sh\n" + script + "\n";
    WriteBytes(launcher, Bytes(text.begin(), text.end()));
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
  }

  // A stand-in for xdg-open that writes down its process and its arguments, then runs `rest`.
  void WriteRecordingLauncher(const std::string& rest) {
    WriteLauncher("echo $$ > '" + (work_ / "launcher.pid") + "'\nprintf '%s\\n' \"$@\" > '" +
                  (work_ / "arguments.partial") + "' && mv '" + (work_ / "arguments.partial") +
                  "' '" + (work_ / "arguments.txt") + "'\n" + rest);
  }

  // The file that the launcher was given, once it has been started.
  std::string LauncherArgument() const {
    if (!PollUntil([&] { return Exists(work_ / "arguments.txt"); }, 30s)) return "";
    const std::string line = AsText(ReadBytes(work_ / "arguments.txt"));
    return line.substr(0, line.find('\n'));
  }

  // PATH for the programs that the test starts, with the stand-in for xdg-open first.
  std::string LauncherFirst() const { return VariableForPrograms::PathWithFirst(work_ / "bin"); }

  void BuildProjector() {
    ASSERT_EQ(RunProgram(kSwivexc, {"build", "--linux", "red.swf"}, work_ / "").exitCode, 0);
  }

  TempFolder work_;
  VariableForPrograms runtime_{"XDG_RUNTIME_DIR", (work_ / "runtime").c_str()};
  VariableForPrograms temporary_{"TMPDIR", (work_ / "temporary").c_str()};
};

// A file that the user alone can read, in a folder of its own in `base` that the user alone can
// enter.
void ExpectPrivateHandover(const std::filesystem::path& file, const std::filesystem::path& base) {
  const std::filesystem::path folder = file.parent_path();
  EXPECT_EQ(folder.parent_path(), base) << file;
  struct stat status {};
  ASSERT_EQ(::lstat(file.c_str(), &status), 0) << file;
  EXPECT_TRUE(S_ISREG(status.st_mode)) << file;
  EXPECT_EQ(status.st_mode & 07777, 0600u) << file;
  EXPECT_EQ(status.st_uid, ::getuid()) << file;
  ASSERT_EQ(::lstat(folder.c_str(), &status), 0) << folder;
  EXPECT_TRUE(S_ISDIR(status.st_mode)) << folder;
  EXPECT_EQ(status.st_mode & 07777, 0700u) << folder;
}

TEST_F(LinuxProjectorTest, SwivexcBuildsOneThatPlaysInTheDefaultBrowserAndEndsWithThePage) {
  const ProgramResult built = RunProgram(kSwivexc, {"build", "--linux", "red.swf"}, work_ / "");
  EXPECT_EQ(built.exitCode, 0) << built.error;
  EXPECT_EQ(built.output, "ok: red.swf -> red\n");
  struct stat status {};
  ASSERT_EQ(::stat((work_ / "red").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0755u);
  const Bytes stub = ReadBytes(std::filesystem::path(kSwivexc).parent_path() / "viewhost");
  EXPECT_EQ(ReadBytes(work_ / "red"),
            Concat(Concat(stub, kRedRectangleMovie), ProjectorTrailer(75)));

  // As some xdg-open do, the launcher runs on until the browser it started ends.
  WriteRecordingLauncher("while [ ! -e '" + (work_ / "browser.closed") +
                         "' ]; do sleep 0.05; done");
  const VariableForPrograms path("PATH", LauncherFirst().c_str());
  StartedProgram projector(work_ / "red", {}, work_ / "");
  const std::string handover = LauncherArgument();
  ASSERT_FALSE(handover.empty()) << "the launcher was not started";
  ASSERT_NO_FATAL_FAILURE(ExpectPrivateHandover(handover, work_.Path() / "runtime"));
  const PageUrl page = QuotedPageUrlIn(AsText(ReadBytes(handover)));
  ASSERT_NE(page.port, 0u) << AsText(ReadBytes(handover));
  EXPECT_FALSE(AnyArgumentsHold(page.base.substr(1, 32))) << "the token is on a command line";

  const std::string served = Request(page.port, "GET", page.base).body;
  EXPECT_NE(served.find("<title>red</title>"), std::string::npos);
  // The default browser takes no switch: the sound may wait for a click on the player's overlay.
  EXPECT_NE(served.find("unmuteOverlay: \"visible\""), std::string::npos);
  EXPECT_EQ(Request(page.port, "GET", page.base + "icon.ico").body,
            AsText(ReadBytes(SWIVEX_PROGRAM_ICON_FILE)))
      << "the program's icon, which the stub carries";
  const HttpResponse movie = Request(page.port, "GET", page.base + "red.swf");
  EXPECT_EQ(movie.body, AsText(kRedRectangleMovie));
  // Ruffle's licences, each text from its first line as Ruffle's package words it.
  const HttpResponse licences = Request(page.port, "GET", page.base + "licences.html");
  EXPECT_EQ(licences.Header("Content-Type"), "text/html");
  EXPECT_NE(licences.body.find("<title>Licences of the Flash player Ruffle 0.6.0</title>"),
            std::string::npos);
  EXPECT_NE(licences.body.find("<pre>\nCopyright (c) 2018 Ruffle LLC &lt;ruffle@ruffle.rs&gt; and "
                               "Ruffle contributors\n\nPermission is hereby granted"),
            std::string::npos);
  EXPECT_NE(licences.body.find("<pre>\n                              Apache License\n"
                               "                        Version 2.0, January 2004\n"),
            std::string::npos);
  {
    HttpConnection stream(page.port);
    stream.Send(GetHead(page.port, page.base + "events"));
    EXPECT_EQ(stream.Receive().status, 200);
    EXPECT_TRUE(
        PollUntil([&] { return !Exists(std::filesystem::path(handover).parent_path()); }, 10s))
        << "the handover outlives the page's connection";
    const std::string launcher =
        "/proc/" + std::to_string(std::stoi(AsText(ReadBytes(work_ / "launcher.pid"))));
    WriteBytes(work_ / "browser.closed", {});
    EXPECT_TRUE(PollUntil([&] { return !Exists(launcher); }, 10s))
        << "the launcher ended, but is not reaped";
  }
  EXPECT_EQ(projector.Wait().exitCode, 0) << "the projector ends once its page has gone";
}

TEST_F(LinuxProjectorTest, ABrowserFollowsTheHandoverToThePage) {
  BuildProjector();
  WriteRecordingLauncher(
      "exec chromium --headless=new --no-sandbox --disable-gpu --user-data-dir='" +
      (work_ / "profile") + "' --dump-dom \"$1\" > /dev/null 2>&1");
  const VariableForPrograms path("PATH", LauncherFirst().c_str());
  StartedProgram projector(work_ / "red", {}, work_ / "");
  const ProgramResult run = projector.Wait(90s);
  EXPECT_EQ(run.exitCode, 0) << "the page came, and went: " << run.error;
  const std::string handover = LauncherArgument();
  ASSERT_FALSE(handover.empty()) << "the launcher was not started";
  EXPECT_FALSE(Exists(std::filesystem::path(handover).parent_path()));
}

struct NoBrowserCase {
  const char* name;
  const char* launcher;  // what the stand-in for xdg-open does; nullptr: there is none
};

TEST_F(LinuxProjectorTest, SaysSoAtOnceWhenNoBrowserCanBeStarted) {
  BuildProjector();
  const NoBrowserCase cases[] = {
      {"no xdg-open", nullptr},
      {"xdg-open fails", "exit 4"},
      {"xdg-open is killed", "kill -KILL $$"},
  };
  for (const NoBrowserCase& tried : cases) {
    std::filesystem::remove(work_ / "bin/xdg-open");
    if (tried.launcher != nullptr) WriteLauncher(tried.launcher);
    VariableForPrograms path("PATH", (work_ / "bin").c_str());
    StartedProgram projector(work_ / "red", {}, work_ / "");
    // Well before the two minutes in which a page that a browser was asked for may still come.
    const ProgramResult run = projector.Wait(20s);
    EXPECT_EQ(run.exitCode, 6) << tried.name;
    EXPECT_NE(run.error.find("No web browser could be started"), std::string::npos)
        << tried.name << ": " << run.error;
    EXPECT_TRUE(std::filesystem::is_empty(work_.Path() / "runtime")) << tried.name;
  }
}

struct StopCase {
  int signal;
  const char* runtime;   // XDG_RUNTIME_DIR: a folder in the test's, or unset
  const char* expected;  // the folder in which the handover is made
};

TEST_F(LinuxProjectorTest, RemovesTheHandoverWhenStoppedBeforeThePageCame) {
  BuildProjector();
  WriteRecordingLauncher("");
  const VariableForPrograms path("PATH", LauncherFirst().c_str());
  const StopCase cases[] = {
      {SIGINT, "runtime", "runtime"},
      {SIGTERM, nullptr, "temporary"},
      {SIGHUP, "runtime", "runtime"},
  };
  for (const StopCase& tried : cases) {
    std::filesystem::remove(work_ / "arguments.txt");
    const std::string runtime = tried.runtime ? work_ / tried.runtime : "";
    VariableForPrograms runtimeFolder("XDG_RUNTIME_DIR", tried.runtime ? runtime.c_str() : nullptr);
    StartedProgram projector(work_ / "red", {}, work_ / "");
    const std::string handover = LauncherArgument();
    ASSERT_FALSE(handover.empty()) << "the launcher was not started";
    ASSERT_NO_FATAL_FAILURE(ExpectPrivateHandover(handover, work_.Path() / tried.expected));
    projector.SendSignal(tried.signal);
    EXPECT_EQ(projector.Wait().exitCode, -1) << "stopped by signal " << tried.signal;
    EXPECT_TRUE(std::filesystem::is_empty(work_.Path() / tried.expected)) << tried.signal;
  }
}

// A projector's page in Debian's chromium, headless, driven over its DevTools pipe: the
// stand-in for xdg-open writes down each start, and the test opens the page that it was given in
// a window of 1000 x 700 pixels.
class ProjectorPageTest : public LinuxProjectorTest {
 public:
  static constexpr auto kPatience = 60s;
  static constexpr int kWidth = 1000;
  static constexpr int kHeight = 700;

  struct Tab {
    std::unique_ptr<StartedProgram> projector;
    std::string base;  // the page's path, "/TOKEN/"
    std::string session;
  };

  ProjectorPageTest() {
    WriteRecordingLauncher("echo started >> '" + (work_ / "launches.txt") + "'");
  }

  // Builds a projector named `name` of `movie` with swivexc, starts it and opens its page.
  Tab Open(const std::string& name, const Bytes& movie) {
    std::filesystem::remove(work_ / "arguments.txt");
    WriteBytes(work_ / (name + ".swf"), movie);
    const ProgramResult built =
        RunProgram(kSwivexc, {"build", "--linux", name + ".swf"}, work_ / "");
    EXPECT_EQ(built.exitCode, 0) << built.error;
    Tab tab{std::make_unique<StartedProgram>(work_ / name, std::vector<std::string>{}, work_ / ""),
            "", ""};
    const std::string handover = LauncherArgument();
    const PageUrl page =
        handover.empty() ? PageUrl() : QuotedPageUrlIn(AsText(ReadBytes(handover)));
    if (page.port == 0) return tab;
    tab.base = page.base;
    tab.session = browser_->OpenTab("http://127.0.0.1:" + std::to_string(page.port) + page.base,
                                    kWidth, kHeight);
    return tab;
  }

  std::string Evaluate(const Tab& tab, const std::string& expression) {
    return browser_->Evaluate(expression, tab.session);
  }
  long PixelAt(const Tab& tab, int x, int y) { return browser_->PixelAt(tab.session, x, y); }
  // Whether `expression` is true within the patience.
  bool WaitFor(const Tab& tab, const std::string& expression) {
    return PollUntil([&] { return Evaluate(tab, expression) == "true"; }, kPatience);
  }
  // Whether the red rectangle is drawn in the middle of the page within the patience.
  bool WaitForTheMovie(const Tab& tab) {
    return PollUntil([&] { return PixelAt(tab, kWidth / 2, kHeight / 2) == 0xFF0000; }, kPatience);
  }

  void Click(const Tab& tab, const char* button = "left") {
    for (const char* type : {"mousePressed", "mouseReleased"})
      browser_->Call("Input.dispatchMouseEvent",
                     std::string("{\"type\":\"") + type + "\",\"x\":500,\"y\":350,\"button\":\"" +
                         button + "\",\"clickCount\":1}",
                     tab.session);
  }
  // Presses and lets go of a key: `key` is the fields of the key event that name it.
  void Press(const Tab& tab, const std::string& key) {
    for (const char* type : {"keyDown", "keyUp"})
      browser_->Call("Input.dispatchKeyEvent",
                     std::string("{\"type\":\"") + type + "\"," + key + "}", tab.session);
  }

  // The stub ends within a second of the page's telling it that the movie quits.
  void ExpectQuitWithinASecond(Tab& tab) {
    EXPECT_FALSE(
        browser_->TakeEvent("Network.requestWillBeSent", tab.base + "tell/quit", kPatience).empty())
        << "the page did not tell the projector";
    ProgramResult run;
    EXPECT_NO_THROW(run = tab.projector->Wait(1s));
    EXPECT_EQ(run.exitCode, 0) << run.error;
  }

  std::unique_ptr<DevToolsPipe> browser_ = std::make_unique<DevToolsPipe>(work_ / "profile");
};

// What a case expects of its tab once the page has been opened.
using TabCheck = std::function<void(ProjectorPageTest&, ProjectorPageTest::Tab&)>;

struct CommandCase {
  const char* name;
  Bytes movie;
  TabCheck expect;
};

constexpr const char* kKeyA = R"("key":"a","code":"KeyA","windowsVirtualKeyCode":65)";
constexpr const char* kControlS =
    R"("key":"s","code":"KeyS","windowsVirtualKeyCode":83,"modifiers":2)";
// In full screen the window of 1000 x 700 takes the headless screen's 800 x 600.
constexpr const char* kFullScreen =
    "document.fullscreenElement === document.documentElement && outerWidth === screen.width && "
    "outerHeight === screen.height";
// Whether the player saw the right click that opens its menu, as a listener after it sees it.
constexpr const char* kWatchMenu =
    "document.querySelector('ruffle-player').addEventListener('contextmenu', function () { "
    "window.menuAsked = true; }), true";
// The focus taken from the movie; then, as a listener after the page's and the player's sees the
// last key, whether one of them kept it from the browser and where the focus is.
constexpr const char* kWatchKeys =
    "document.activeElement.blur(), addEventListener('keydown', function (event) { "
    "window.lastKey = [event.defaultPrevented, document.activeElement.localName].join(); }), true";

TEST_F(ProjectorPageTest, TheMoviesCommandsActAsInAProjectorAndRunNoProgramOrScript) {
  using swf::testing::FsCommand;
  using swf::testing::RedRectangleCallingFromActionScript3;
  const auto Red = swf::testing::RedRectangleCalling;
  // Old projectors ran the files of the folder "fscommand" beside them.
  std::filesystem::create_directory(work_.Path() / "fscommand");
  const std::string marker = work_ / "ran.txt";
  const std::string script = "#!/bin/sh\necho ran > '" + marker + "'\n";
  WriteBytes(work_ / "fscommand/run.sh", Bytes(script.begin(), script.end()));
  std::filesystem::permissions(work_ / "fscommand/run.sh", std::filesystem::perms::owner_all);

  const auto quits = [](ProjectorPageTest& test, Tab& tab) { test.ExpectQuitWithinASecond(tab); };
  const CommandCase cases[] = {
      {"quit in the first frame", Red({FsCommand(1, "quit")}), quits},
      {"quit from ActionScript 3", RedRectangleCallingFromActionScript3("quit", ""), quits},
      {"QUIT a second later", Red({FsCommand(25, " QUIT ")}), quits},
      {"exec, and commands that no projector knew",
       Red({FsCommand(1, "exec", "run.sh"), FsCommand(1, "exec", work_ / "fscommand/run.sh"),
            FsCommand(1, "run", "run.sh"), FsCommand(25, "quit")}),
       [&](ProjectorPageTest& test, Tab& tab) {
         test.ExpectQuitWithinASecond(tab);
         EXPECT_FALSE(Exists(marker)) << "a program ran";
       }},
      {"a javascript: address: the page goes on, its title as it was",
       Red({{1, "javascript:document.title='taken'", ""}, FsCommand(25, "quit")}),
       [](ProjectorPageTest& test, Tab& tab) {
         test.ExpectQuitWithinASecond(tab);
         EXPECT_EQ(test.Evaluate(tab, "document.title"), "movie4");
       }},
      {"fullscreen true in the first frame: at the next key",
       Red({FsCommand(1, "fullscreen", "true")}),
       [](ProjectorPageTest& test, Tab& tab) {
         ASSERT_TRUE(test.WaitForTheMovie(tab));
         EXPECT_EQ(test.Evaluate(tab, kFullScreen), "false") << "without the user's action";
         test.Press(tab, kKeyA);
         EXPECT_TRUE(test.WaitFor(tab, kFullScreen));
       }},
      {"fullscreen true, at the next click; false five seconds later",
       Red({FsCommand(1, "FullScreen", "TRUE"), FsCommand(120, "fullscreen", "false")}),
       [](ProjectorPageTest& test, Tab& tab) {
         ASSERT_TRUE(test.WaitForTheMovie(tab));
         test.Click(tab);
         EXPECT_TRUE(test.WaitFor(tab, kFullScreen));
         EXPECT_TRUE(test.WaitFor(tab, "document.fullscreenElement === null"));
       }},
      {"allowscale false: the stage at its own size, centred",
       Red({FsCommand(1, "allowscale", "false")}),
       [](ProjectorPageTest& test, Tab& tab) {
         // The stage of 550 x 400 from (225, 150) on black, the rectangle of 500 x 360 from
         // (250, 170) on white.
         struct Pixel {
           int x, y;
           long colour;
         };
         const Pixel edges[] = {
             {224, 350, 0x000000}, {225, 350, 0xFFFFFF}, {774, 350, 0xFFFFFF}, {775, 350, 0x000000},
             {500, 149, 0x000000}, {500, 150, 0xFFFFFF}, {500, 549, 0xFFFFFF}, {500, 550, 0x000000},
             {249, 170, 0xFFFFFF}, {250, 170, 0xFF0000}, {250, 169, 0xFFFFFF}, {749, 529, 0xFF0000},
             {750, 529, 0xFFFFFF}, {749, 530, 0xFFFFFF},
         };
         const auto drawn = [&] {
           for (const Pixel& pixel : edges)
             if (test.PixelAt(tab, pixel.x, pixel.y) != pixel.colour) return false;
           return true;
         };
         EXPECT_TRUE(PollUntil(drawn, kPatience));
         for (const Pixel& pixel : edges)
           EXPECT_EQ(test.PixelAt(tab, pixel.x, pixel.y), pixel.colour)
               << "at " << pixel.x << ", " << pixel.y;
       }},
      {"allowscale false, then true three seconds later: scaled to the page again",
       Red({FsCommand(1, "allowscale", "false"), FsCommand(72, "allowscale", "true")}),
       [](ProjectorPageTest& test, Tab& tab) {
         // Scaled by 1.75, the rectangle covers (62.5, 35) to (937.5, 665).
         EXPECT_TRUE(PollUntil(
             [&] {
               return test.PixelAt(tab, 500, 350) == 0xFF0000 &&
                      test.PixelAt(tab, 100, 100) == 0x000000;
             },
             kPatience));
         EXPECT_TRUE(PollUntil([&] { return test.PixelAt(tab, 100, 100) == 0xFF0000; }, kPatience));
       }},
      {"showmenu false: the player's menu does not open", Red({FsCommand(1, "showmenu", "false")}),
       [](ProjectorPageTest& test, Tab& tab) {
         ASSERT_TRUE(test.WaitForTheMovie(tab));
         test.Evaluate(tab, kWatchMenu);
         test.Click(tab, "right");
         EXPECT_EQ(test.Evaluate(tab, "window.menuAsked === true"), "false");
       }},
      {"showmenu with neither true nor false: the menu as before",
       Red({FsCommand(1, "showmenu", "no")}),
       [](ProjectorPageTest& test, Tab& tab) {
         ASSERT_TRUE(test.WaitForTheMovie(tab));
         test.Evaluate(tab, kWatchMenu);
         test.Click(tab, "right");
         EXPECT_EQ(test.Evaluate(tab, "window.menuAsked === true"), "true");
       }},
      {"trapallkeys true: keys go to the movie, not to the browser",
       Red({FsCommand(1, "trapallkeys", "true")}),
       [](ProjectorPageTest& test, Tab& tab) {
         ASSERT_TRUE(test.WaitForTheMovie(tab));
         test.Evaluate(tab, kWatchKeys);
         test.Press(tab, kControlS);
         EXPECT_EQ(test.Evaluate(tab, "window.lastKey"), "true,ruffle-player");
       }},
      {"trapallkeys false: keys without the movie's focus are the browser's",
       Red({FsCommand(1, "trapallkeys", "false")}),
       [](ProjectorPageTest& test, Tab& tab) {
         ASSERT_TRUE(test.WaitForTheMovie(tab));
         test.Evaluate(tab, kWatchKeys);
         test.Press(tab, kControlS);
         EXPECT_EQ(test.Evaluate(tab, "window.lastKey"), "false,body");
       }},
  };
  const VariableForPrograms path("PATH", LauncherFirst().c_str());
  std::string launches;
  for (const CommandCase& tried : cases) {
    SCOPED_TRACE(tried.name);
    Tab tab = Open("movie" + std::to_string(launches.size() / 8), tried.movie);
    ASSERT_FALSE(tab.session.empty()) << "no page";
    tried.expect(*this, tab);
    launches += "started\n";
    EXPECT_EQ(AsText(ReadBytes(work_ / "launches.txt")), launches) << "a program was started";
    browser_->Call("Page.close", "{}", tab.session);
  }
}

// A file that is no movie: the page says so with the player's reason, and the projector ends when
// the page is closed, as after any movie.
TEST_F(ProjectorPageTest, AMovieThatCannotBePlayedIsSaidSoInThePagesWords) {
  const VariableForPrograms path("PATH", LauncherFirst().c_str());
  const std::string text = "This is no movie.\n";
  Tab tab = Open("notes", Bytes(text.begin(), text.end()));
  ASSERT_FALSE(tab.session.empty()) << "no page";
  EXPECT_TRUE(WaitFor(tab,
                      "getComputedStyle(document.getElementById('problem')).display === "
                      "'block' && getComputedStyle(document.getElementById('player'))"
                      ".display === 'none'"));
  EXPECT_EQ(Evaluate(tab, "document.querySelector('#problem h1').textContent"),
            "This movie cannot be played in this browser window.");
  EXPECT_EQ(Evaluate(tab, "document.getElementById('detail').textContent"),
            "Details: Ruffle cannot parse the requested file. The most likely reason is that the "
            "requested file is not a valid SWF.");
  EXPECT_EQ(Evaluate(tab, "getComputedStyle(document.getElementById('advice')).display"), "none")
      << "advice about browsers for a player that started";
  browser_->Call("Page.close", "{}", tab.session);
  ProgramResult run;
  EXPECT_NO_THROW(run = tab.projector->Wait(kPatience));
  EXPECT_EQ(run.exitCode, 0) << run.error;
}

}  // namespace
}  // namespace swivex::testing
