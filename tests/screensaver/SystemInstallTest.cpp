// The installation against the real system directory, registry and control panel of a Wine
// prefix of the test run's own: these tests write into system32 and HKCU. Only the program
// folder is moved, to a test folder that holds a stand-in module. Wine keeps no 8.3 names, so a
// file named GLOWDR~1.SCR is planted where a test needs the alias to exist. The Display control
// panel is the stand-in desk.cpl built beside this program, which records the page it is asked
// to open.
#include <windows.h>
// clang-format off
#include <tlhelp32.h>
// clang-format on

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

#include "common/Exceptions.h"
#include "common/SystemErrorText.h"
#include "platform/SystemDesktop.h"
#include "platform/SystemFiles.h"
#include "platform/SystemRegistry.h"
#include "screensaver/InstallScreenSaver.h"
#include "tests/screensaver/DeskCplRecord.h"
#include "tests/support/MovedProgramFiles.h"
#include "tests/support/PollUntil.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr auto kControlPanelPatience = std::chrono::seconds(20);

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\";
}

std::string Installed(const std::string& name) { return SystemFolder() + name; }
std::string Alias() { return Installed("GLOWDR~1.SCR"); }

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A value as the registry holds it.
struct RawValue {
  DWORD type = REG_NONE;
  Bytes data;
  bool operator==(const RawValue&) const = default;
};

void PrintTo(const RawValue& value, std::ostream* out) {
  *out << "type " << value.type << " \"";
  for (unsigned char byte : value.data) {
    if (byte >= 0x20 && byte < 0x7F) {
      *out << static_cast<char>(byte);
    } else {
      const char digits[] = "0123456789ABCDEF";
      *out << "\\x" << digits[byte >> 4] << digits[byte & 15];
    }
  }
  *out << "\"";
}

RawValue Text(const std::string& text, DWORD type = REG_SZ) {
  RawValue value{type, BytesOf(text)};
  value.data.push_back(0);
  return value;
}

// HKCU\Control Panel\Desktop, open for the test's own reads and writes.
class DesktopKey {
 public:
  DesktopKey() {
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  DesktopKey(const DesktopKey&) = delete;
  DesktopKey& operator=(const DesktopKey&) = delete;
  ~DesktopKey() {
    if (key_ != nullptr) ::RegCloseKey(key_);
  }

  std::optional<RawValue> Read(const std::string& name) const {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    RawValue value{type, Bytes(size)};
    if (::RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, value.data.data(), &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    value.data.resize(size);
    return value;
  }

  void Write(const std::string& name, const RawValue& value) const {
    ASSERT_EQ(::RegSetValueExA(key_, name.c_str(), 0, value.type, value.data.data(),
                               static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
  }

  void Delete(const std::string& name) const { ::RegDeleteValueA(key_, name.c_str()); }

  std::map<std::string, RawValue> All() const {
    std::map<std::string, RawValue> values;
    for (DWORD index = 0;; ++index) {
      char name[16384];
      DWORD nameLength = sizeof name;
      if (::RegEnumValueA(key_, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      values[name] = Read(name).value_or(RawValue{});
    }
    return values;
  }

 private:
  HKEY key_ = nullptr;
};

// A snapshot of the running processes, closed on every way out.
class ProcessSnapshot {
 public:
  ProcessSnapshot() : handle_(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)) {}
  ProcessSnapshot(const ProcessSnapshot&) = delete;
  ProcessSnapshot& operator=(const ProcessSnapshot&) = delete;
  ~ProcessSnapshot() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }

  bool Runs(const char* program) const {
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(handle_, &entry); more;
         more = ::Process32Next(handle_, &entry))
      if (::lstrcmpiA(entry.szExeFile, program) == 0) return true;
    return false;
  }

 private:
  HANDLE handle_;
};

bool ControlPanelRuns() { return ProcessSnapshot().Runs("rundll32.exe"); }

std::string RecordedPages() {
  if (!Exists(DeskCplRecordPath())) return {};
  const Bytes record = ReadBytes(DeskCplRecordPath());
  return std::string(record.begin(), record.end());
}

// The pages that the control panel was asked for, once it has been started and has finished.
// RunDLL32 runs on its own; once none runs, every one that was started has recorded its page.
std::string PagesOnceTheControlPanelIsDone() {
  EXPECT_TRUE(PollUntil(
      [] { return !ControlPanelRuns() && RecordedPages().find('\n') != std::string::npos; },
      kControlPanelPatience))
      << "the control panel did not record a page";
  return RecordedPages();
}

// The pages recorded once no control panel runs any more: empty if none was started.
std::string PagesOnceNoControlPanelRuns() {
  EXPECT_TRUE(PollUntil([] { return !ControlPanelRuns(); }, kControlPanelPatience))
      << "RunDLL32 does not end";
  return RecordedPages();
}

// A hidden top-level window that counts the announcements of a changed screen-saver setting.
class SettingChangeListener {
 public:
  SettingChangeListener() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SwivexSettingChangeListener";
    ::RegisterClassA(&windowClass);  // fails harmlessly once registered
    window_ = ::CreateWindowA(windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
    screenSaverChanges_ = 0;
  }
  SettingChangeListener(const SettingChangeListener&) = delete;
  SettingChangeListener& operator=(const SettingChangeListener&) = delete;
  ~SettingChangeListener() { ::DestroyWindow(window_); }

  bool Listening() const { return window_ != nullptr; }
  int ScreenSaverChanges() const { return screenSaverChanges_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE && wParam == SPI_SETSCREENSAVEACTIVE) ++screenSaverChanges_;
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  static inline int screenSaverChanges_ = 0;
  HWND window_ = nullptr;
};

class SystemInstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The stand-in Display control panel goes where RunDLL32 finds desk.cpl.
    const auto here = std::filesystem::path(SystemFiles().ModuleFileName().path).parent_path();
    const std::string deskCpl = (here / "desk.cpl").string();
    ASSERT_TRUE(::CopyFileA(deskCpl.c_str(), Installed("desk.cpl").c_str(), FALSE)) << deskCpl;
  }

  void SetUp() override {
    ASSERT_TRUE(PollUntil([] { return !ControlPanelRuns(); }, kControlPanelPatience));
    ::DeleteFileA(DeskCplRecordPath().c_str());
    for (const char* name : {"Glowdrift.swf", "Glowdrift.scr", "GLOWDR~1.SCR"})
      ::DeleteFileA(Installed(name).c_str());
    desktopKey.Delete("SCRNSAVE.EXE");
    files.moduleFileName = programFolder / "Swivex.exe";
    module = RandomBytes(40000, 1);
    WriteBytes(programFolder / "Glowdrift.dll", module);
    ASSERT_TRUE(listener.Listening());
  }

  std::string PlantMovie(const std::string& name, const Bytes& movie) {
    WriteBytes(work / name, movie);
    return work / name;
  }
  void PlantAliasFile() { WriteBytes(Alias(), BytesOf("alias")); }
  void Install(const std::string& moviePath) {
    InstallScreenSaver(moviePath, files, registry, desktop);
  }

  TempFolder programFolder;
  TempFolder work;
  // The real system, running from a test folder that holds the module.
  MovedProgramFiles files;
  SystemRegistry registry;
  SystemDesktop desktop;
  DesktopKey desktopKey;
  SettingChangeListener listener;
  Bytes module;
};

TEST_F(SystemInstallTest, FirstInstallCopiesRegistersAnnouncesAndOpensTheScreenSaverPage) {
  const Bytes movie = RandomBytes(100000, 2);
  PlantAliasFile();

  Install(PlantMovie("intro.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), Text(Alias())) << "REG_SZ with its terminating NUL";
  EXPECT_EQ(listener.ScreenSaverChanges(), 1);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, WithoutAFileUnderTheAliasTheRegistryIsLeftAlone) {
  const Bytes movie = RandomBytes(10, 3);

  Install(PlantMovie("m.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), std::nullopt);
  EXPECT_EQ(listener.ScreenSaverChanges(), 0);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, SecondInstallReplacesBothCopies) {
  PlantAliasFile();
  Install(PlantMovie("first.swf", RandomBytes(200000, 4)));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
  ::DeleteFileA(DeskCplRecordPath().c_str());

  module = RandomBytes(7, 5);
  WriteBytes(programFolder / "Glowdrift.dll", module);
  const Bytes movie = RandomBytes(9, 6);
  Install(PlantMovie("second.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(listener.ScreenSaverChanges(), 1) << "registered once, by the first install";
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, AliasAlreadyRegisteredInAnotherCaseIsLeftAsItIs) {
  PlantAliasFile();
  std::string lowerCase = Alias();
  for (char& c : lowerCase) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  desktopKey.Write("SCRNSAVE.EXE", Text(lowerCase));
  const Bytes movie = RandomBytes(10, 7);

  Install(PlantMovie("m.swf", movie));

  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), Text(lowerCase));
  EXPECT_EQ(listener.ScreenSaverChanges(), 0);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, EmptyMoviePathKeepsTheInstalledMovie) {
  const Bytes movie = RandomBytes(3000, 8);
  Install(PlantMovie("m.swf", movie));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
  ::DeleteFileA(DeskCplRecordPath().c_str());
  PlantAliasFile();

  Install("");

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), Text(Alias()));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, DwordValueRaisesAndTheControlPanelStaysClosed) {
  PlantAliasFile();
  const RawValue dword{REG_DWORD, {1, 0, 0, 0}};
  desktopKey.Write("SCRNSAVE.EXE", dword);

  try {
    Install(PlantMovie("m.swf", RandomBytes(10, 9)));
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), "Invalid data type for 'SCRNSAVE.EXE'");
  }

  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), dword);
  EXPECT_EQ(listener.ScreenSaverChanges(), 0);
  EXPECT_EQ(PagesOnceNoControlPanelRuns(), "");
}

TEST_F(SystemInstallTest, ExpandableValueIsComparedUnexpanded) {
  PlantAliasFile();
  const std::string unexpanded = "%SystemRoot%\\system32\\GLOWDR~1.SCR";
  char expanded[MAX_PATH] = {};
  ::ExpandEnvironmentStringsA(unexpanded.c_str(), expanded, MAX_PATH);
  ASSERT_EQ(::lstrcmpiA(expanded, Alias().c_str()), 0) << "expanded, it would name the alias";
  desktopKey.Write("SCRNSAVE.EXE", Text(unexpanded, REG_EXPAND_SZ));

  Install("");

  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), Text(Alias()));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, RegisteringChangesNoOtherDesktopSetting) {
  desktopKey.Write("Wallpaper", Text("C:\\windows\\swivex-planted.bmp"));
  // Absent, as in a fresh profile, so that an announcement that rewrote it would show.
  desktopKey.Delete("ScreenSaveActive");
  char wallpaperBefore[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, wallpaperBefore, 0);
  const auto before = desktopKey.All();
  PlantAliasFile();

  Install("");

  EXPECT_EQ(listener.ScreenSaverChanges(), 1) << "the change was announced";
  auto after = desktopKey.All();
  EXPECT_EQ(after["SCRNSAVE.EXE"], Text(Alias()));
  after.erase("SCRNSAVE.EXE");
  EXPECT_EQ(after, before);
  EXPECT_EQ(desktopKey.Read("Wallpaper"), Text("C:\\windows\\swivex-planted.bmp"));
  char wallpaperAfter[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, wallpaperAfter, 0);
  EXPECT_STREQ(wallpaperAfter, wallpaperBefore);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, MissingModuleRaisesAndTouchesNothingElse) {
  PlantAliasFile();
  ::DeleteFileA((programFolder / "Glowdrift.dll").c_str());

  try {
    Install("");
    ADD_FAILURE() << "no error raised";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message(), "Cannot copy file \"" + (programFolder / "Glowdrift.dll") +
                                   "\" to \"" + Installed("Glowdrift.scr") + "\". " +
                                   SystemErrorText(ERROR_FILE_NOT_FOUND, files));
  }

  EXPECT_FALSE(Exists(Installed("Glowdrift.scr")));
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), std::nullopt);
  EXPECT_EQ(listener.ScreenSaverChanges(), 0);
  EXPECT_EQ(PagesOnceNoControlPanelRuns(), "");
  WIN32_FIND_DATAA found;
  const HANDLE scratch = ::FindFirstFileA(Installed("swx*.tmp").c_str(), &found);
  EXPECT_EQ(scratch, INVALID_HANDLE_VALUE) << "no scratch file is left in the system directory";
  if (scratch != INVALID_HANDLE_VALUE) ::FindClose(scratch);
}

}  // namespace
}  // namespace swivex::testing
