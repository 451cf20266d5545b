// The two packages as a user gets them: the MSI installed, upgraded and removed by Windows
// Installer without a trace, and the zip unpacked; the program of each converts a movie.
#include <gtest/gtest.h>
#include <windows.h>
// These need windows.h first.
#include <msi.h>
#include <msiquery.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "resources/Version.h"
#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/PackagePaths.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/support/TempFolder.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {
namespace {

using swivex::testing::Exists;
using swivex::testing::NamesIn;
using swivex::testing::ReadBytes;
using swivex::testing::WriteBytes;

// Never to change: Windows Installer finds the installed version to replace by it.
constexpr char kUpgradeCode[] = "{2F1499E5-504C-4CC4-9E64-DF701BE46F90}";
constexpr char kVerbKey[] =
    "Software\\Classes\\SystemFileAssociations\\.swf\\shell\\Swivex.ConvertToProjector";
// Windows Installer's own records of what is installed; it empties them but keeps the keys.
constexpr char kInstallerRecords[] = "Software\\Microsoft\\Installer";

std::string SourceFile(const std::string& name) { return kSourceFolder + name; }

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ShippedPrograms() {
  std::vector<std::string> programs = {"Swivex.exe", "Viewhost.exe", "Glowdrift.dll", "Swivex.chm"};
  // The console program ships from the build that has it.
  if (Exists(ProgramFile("swivexc.exe"))) programs.push_back("swivexc.exe");
  return programs;
}

std::vector<std::string> PackageFiles() {
  auto files = ShippedPrograms();
  files.insert(files.end(), {"README.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt"});
  return Sorted(files);
}

Bytes WithCrLf(const Bytes& text) {
  Bytes converted;
  for (unsigned char c : text) {
    if (c == '\n') converted.push_back('\r');
    converted.push_back(c);
  }
  return converted;
}

bool EveryLineEndsWithCrLf(const Bytes& text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  return !text.empty() && text.back() == '\n';
}

// The folder of an installed or unpacked package holds the build's programs and the texts for
// users with Windows line ends.
void ExpectPackageFolder(const std::string& folder) {
  EXPECT_EQ(Sorted(NamesIn(folder)), PackageFiles());
  for (const auto& program : ShippedPrograms())
    EXPECT_EQ(ReadBytes(folder + program), ReadBytes(ProgramFile(program))) << program;
  EXPECT_EQ(ReadBytes(folder + "LICENSE.txt"), WithCrLf(ReadBytes(SourceFile("LICENSE"))));
  EXPECT_EQ(ReadBytes(folder + "THIRD-PARTY-NOTICES.txt"),
            WithCrLf(ReadBytes(SourceFile("THIRD-PARTY-NOTICES.txt"))));
  const Bytes readme = ReadBytes(folder + "README.txt");
  const std::string start = "Swivex\r\n======\r\nVersion " SWIVEX_VERSION_TEXT "\r\n";
  ASSERT_GE(readme.size(), start.size());
  EXPECT_EQ(std::string(readme.begin(), readme.begin() + start.size()), start);
  EXPECT_TRUE(EveryLineEndsWithCrLf(readme));
}

// Runs the package's Swivex.exe from `folder` through one conversion.
void ExpectConvertsAMovie(const std::string& folder) {
  swivex::testing::TempFolder work;
  const Bytes movie = MovieBytes(150'000, 29);
  WriteBytes(work / "intro.swf", movie);
  SwivexApp app(SwivexApp::Copy{folder});
  app.Pick(kSwfToExeButton, work / "intro.swf");
  auto dialog = app.WaitForTitledDialog();
  EXPECT_EQ(dialog.Text(), swivexui::kSuccess);
  dialog.Press(IDOK);
  EXPECT_EQ(ReadBytes(work / "intro.exe"), ExpectedProjector(movie));
}

std::string KnownFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
    throw DriverError("no known folder " + std::to_string(csidl));
  return std::string(path) + "\\";
}

std::string InstallFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Swivex\\"; }
std::string StartMenuShortcut() { return KnownFolder(CSIDL_PROGRAMS) + "Swivex.lnk"; }

// Runs `msiexec ARGUMENTS /qn` and returns its exit code.
DWORD Msiexec(const std::string& arguments) {
  std::string commandLine = "msiexec.exe " + arguments + " /qn";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
    throw DriverError("cannot start " + commandLine);
  win::UniqueKernelObject process(started.hProcess);
  win::UniqueKernelObject thread(started.hThread);
  constexpr DWORD kInstallTimeout = 120'000;
  if (::WaitForSingleObject(process.Get(), kInstallTimeout) != WAIT_OBJECT_0)
    FailWait(commandLine + " to end");
  DWORD code = 0;
  ::GetExitCodeProcess(process.Get(), &code);
  return code;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::optional<std::string> RegistryText(HKEY root, const std::string& key, const char* value) {
  char text[2048] = {};
  DWORD size = sizeof text;
  if (::RegGetValueA(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::string(text);
}

bool KeyExists(HKEY root, const std::string& key) {
  win::UniqueKey opened;
  return ::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

std::vector<std::string> Subkeys(HKEY root, const std::string& key) {
  win::UniqueKey opened;
  std::vector<std::string> names;
  if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS)
    return names;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(opened.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      return names;
    names.emplace_back(name, length);
  }
}

// Add/Remove Programs' entries named Swivex, wherever Windows Installer records them.
struct UninstallEntry {
  std::string productCode;
  std::optional<std::string> version, publisher, helpLink;
};

std::vector<UninstallEntry> SwivexUninstallEntries() {
  constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  std::vector<UninstallEntry> entries;
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    for (const auto& code : Subkeys(root, kUninstall)) {
      const std::string key = std::string(kUninstall) + "\\" + code;
      if (RegistryText(root, key, "DisplayName") != "Swivex") continue;
      entries.push_back({code, RegistryText(root, key, "DisplayVersion"),
                         RegistryText(root, key, "Publisher"),
                         RegistryText(root, key, "HelpLink")});
    }
  }
  return entries;
}

// The installed products of Swivex's UpgradeCode.
std::vector<std::string> RelatedProducts() {
  std::vector<std::string> products;
  char code[39];
  while (::MsiEnumRelatedProductsA(kUpgradeCode, 0, static_cast<DWORD>(products.size()), code) ==
         ERROR_SUCCESS)
    products.emplace_back(code);
  return products;
}

std::optional<std::string> ProductInfo(const std::string& productCode, const char* property) {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (::MsiGetProductInfoA(productCode.c_str(), property, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(value);
}

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};

struct Shortcut {
  std::string target;
  std::string icon;
};

Shortcut ReadShortcut(const std::string& file) {
  IShellLinkA* rawLink = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&rawLink))))
    throw DriverError("no shell link object");
  std::unique_ptr<IShellLinkA, ComRelease> link(rawLink);
  IPersistFile* rawFile = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile))))
    throw DriverError("a shell link without IPersistFile");
  std::unique_ptr<IPersistFile, ComRelease> persist(rawFile);
  if (FAILED(persist->Load(std::filesystem::path(file).wstring().c_str(), STGM_READ)))
    throw DriverError("cannot read the shortcut " + file);
  char target[MAX_PATH] = {};
  char icon[MAX_PATH] = {};
  int iconIndex = 0;
  link->GetPath(target, MAX_PATH, nullptr, 0);
  link->GetIconLocation(icon, MAX_PATH, &iconIndex);
  return {target, icon};
}

// Everything of the user that an installer can leave behind: the files and folders of the user's
// application data (the Start menu is among them) and the keys of HKCU, without Windows
// Installer's own records (it empties them but keeps their folder and key).
struct Traces {
  std::set<std::string> paths;
  std::set<std::string> keys;
};

void CollectKeys(const std::string& key, std::set<std::string>& keys) {
  for (const auto& name : Subkeys(HKEY_CURRENT_USER, key)) {
    const std::string path = key.empty() ? name : key + "\\" + name;
    if (path == kInstallerRecords) continue;
    keys.insert(path);
    CollectKeys(path, keys);
  }
}

Traces UserTraces() {
  Traces traces;
  // Wine links the Templates folder to the Linux home, and reports the link as a folder.
  const std::filesystem::path templates =
      std::filesystem::path(KnownFolder(CSIDL_TEMPLATES)).parent_path();
  const std::filesystem::path installerCache = KnownFolder(CSIDL_APPDATA) + "Microsoft\\Installer";
  for (int folder : {CSIDL_LOCAL_APPDATA, CSIDL_APPDATA}) {
    std::filesystem::recursive_directory_iterator entries(KnownFolder(folder));
    for (auto entry = begin(entries); entry != end(entries); ++entry) {
      if (entry->path() == templates)
        entries.disable_recursion_pending();
      else if (entry->path() != installerCache)
        traces.paths.insert(entry->path().string());
    }
  }
  CollectKeys("", traces.keys);
  return traces;
}

std::vector<std::string> Difference(const std::set<std::string>& a,
                                    const std::set<std::string>& b) {
  std::vector<std::string> onlyInA;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(onlyInA));
  return onlyInA;
}

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr))); }
  void TearDown() override { ::CoUninitialize(); }

  void ExpectNothingLeftSince(const Traces& before) {
    const Traces after = UserTraces();
    EXPECT_EQ(Difference(after.paths, before.paths), std::vector<std::string>{});
    EXPECT_EQ(Difference(after.keys, before.keys), std::vector<std::string>{});
    EXPECT_FALSE(std::filesystem::exists(InstallFolder()));
    EXPECT_TRUE(SwivexUninstallEntries().empty());
    EXPECT_TRUE(RelatedProducts().empty());
  }
};

struct MsiHandleTraits {
  using Handle = MSIHANDLE;
  static Handle Empty() noexcept { return 0; }
  static void Release(Handle handle) noexcept { ::MsiCloseHandle(handle); }
};

TEST_F(InstallerTest, NeedsNoElevation) {
  win::UniqueHandle<MsiHandleTraits> summary;
  ASSERT_EQ(::MsiGetSummaryInformationA(0, kInstaller, 0, summary.Receive()), UINT{ERROR_SUCCESS});
  constexpr UINT kWordCount = 15;  // the summary's PID_WORDCOUNT: the package's source type
  constexpr INT kNoElevation = 8;  // msidbSumInfoSourceTypeLUAPackage
  INT wordCount = 0;
  UINT type = 0;
  ASSERT_EQ(::MsiSummaryInfoGetPropertyA(summary.Get(), kWordCount, &type, &wordCount, nullptr,
                                         nullptr, nullptr),
            UINT{ERROR_SUCCESS});
  EXPECT_EQ(wordCount & kNoElevation, kNoElevation);
}

struct FeatureChoice {
  const char* name;
  const char* properties;
  bool verb;
};

class FeatureTest : public InstallerTest, public ::testing::WithParamInterface<FeatureChoice> {};

TEST_P(FeatureTest, InstallsForTheUserAndUninstallsWithoutATrace) {
  const Traces before = UserTraces();
  ASSERT_EQ(Msiexec("/i " + Quoted(kInstaller) + " " + GetParam().properties), 0u);

  const std::string folder = InstallFolder();
  ExpectPackageFolder(folder);

  const auto entries = SwivexUninstallEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].version, SWIVEX_VERSION_TEXT);
  EXPECT_EQ(entries[0].publisher, "Swivex developers");
  EXPECT_EQ(entries[0].helpLink, "http://www.swivex.example/");
  const auto productIcon = ProductInfo(entries[0].productCode, INSTALLPROPERTY_PRODUCTICON);
  ASSERT_TRUE(productIcon.has_value());
  const Bytes programIcon = ReadBytes(SourceFile("resources\\Swivex.ico"));
  EXPECT_EQ(ReadBytes(*productIcon), programIcon);

  const Shortcut shortcut = ReadShortcut(StartMenuShortcut());
  EXPECT_EQ(shortcut.target, folder + "Swivex.exe");
  EXPECT_EQ(ReadBytes(shortcut.icon), programIcon);

  if (GetParam().verb) {
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kVerbKey, nullptr), "Convert to projector");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, std::string(kVerbKey) + "\\command", nullptr),
              Quoted(folder + "Swivex.exe") + " \"%1\"");
  } else {
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kVerbKey));
  }

  ASSERT_EQ(Msiexec("/x " + Quoted(kInstaller)), 0u);
  ExpectNothingLeftSince(before);
  EXPECT_FALSE(Exists(StartMenuShortcut()));
  EXPECT_FALSE(Exists(*productIcon));
}

INSTANTIATE_TEST_SUITE_P(Choices, FeatureTest,
                         ::testing::Values(FeatureChoice{"Everything", "", true},
                                           FeatureChoice{"WithoutTheVerb",
                                                         "ADDLOCAL=ProgramFeature", false}),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(InstallerTest, TheInstalledProgramConvertsAMovie) {
  ASSERT_EQ(Msiexec("/i " + Quoted(kInstaller)), 0u);
  ExpectConvertsAMovie(InstallFolder());
  EXPECT_EQ(Msiexec("/x " + Quoted(kInstaller)), 0u);
}

TEST_F(InstallerTest, AHigherVersionReplacesTheInstalledOne) {
  const Traces before = UserTraces();
  ASSERT_EQ(Msiexec("/i " + Quoted(kInstaller)), 0u);
  ASSERT_EQ(Msiexec("/i " + Quoted(kUpgradeInstaller)), 0u);

  const auto products = RelatedProducts();
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), kUpgradeVersion);
  const auto entries = SwivexUninstallEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].version, kUpgradeVersion);
  ExpectPackageFolder(InstallFolder());

  ASSERT_EQ(Msiexec("/x " + Quoted(kUpgradeInstaller)), 0u);
  ExpectNothingLeftSince(before);
}

// The zip, unpacked into kUnpackedZip before the test by its CTest setup.
TEST(PortableTest, TheUnpackedZipHoldsOneFolderWhoseProgramConvertsAMovie) {
  const std::string folderName = "Swivex-" SWIVEX_VERSION_TEXT;
  EXPECT_EQ(NamesIn(kUnpackedZip), std::vector<std::string>{folderName});
  const std::string folder = std::string(kUnpackedZip) + folderName + "\\";
  ExpectPackageFolder(folder);
  ExpectConvertsAMovie(folder);
}

}  // namespace
}  // namespace swivex::e2e
