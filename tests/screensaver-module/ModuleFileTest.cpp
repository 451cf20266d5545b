#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/screensaver-module/TestSystem.h"

namespace swivex::glowdrift::testing {
namespace {

std::vector<char> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), {});
}

TEST(ModuleFile, IsAWindowsProgramImageThoughItShipsAsADll) {
  const std::vector<char> image = ReadWholeFile(ShippedModulePath());
  ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
  IMAGE_DOS_HEADER dos;
  std::memcpy(&dos, image.data(), sizeof dos);
  ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
  ASSERT_GE(image.size(), dos.e_lfanew + sizeof(IMAGE_NT_HEADERS64));
  IMAGE_NT_HEADERS64 headers;
  std::memcpy(&headers, image.data() + dos.e_lfanew, sizeof headers);
  ASSERT_EQ(headers.Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(headers.FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
  EXPECT_TRUE(headers.FileHeader.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
  EXPECT_FALSE(headers.FileHeader.Characteristics & IMAGE_FILE_DLL);
  EXPECT_EQ(headers.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

// The module loaded as data, for its resources; released when the object goes away.
class ResourceModule {
 public:
  explicit ResourceModule(const std::string& path)
      : module_(::LoadLibraryExA(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ResourceModule(const ResourceModule&) = delete;
  ResourceModule& operator=(const ResourceModule&) = delete;
  ~ResourceModule() {
    if (module_) ::FreeLibrary(module_);
  }
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

TEST(ModuleFile, CarriesItsNameTheProjectsVersionADialogAndAManifest) {
  const std::string path = InstalledSaverPath();
  DWORD unused = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &unused);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
  char* fileVersion = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                               reinterpret_cast<void**>(&fileVersion), &length));
  EXPECT_STREQ(fileVersion, GLOWDRIFT_EXPECTED_VERSION);
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                LOWORD(fixed->dwFileVersionLS));
  EXPECT_STREQ(numbers, GLOWDRIFT_EXPECTED_VERSION);

  ResourceModule module(path);
  ASSERT_NE(module.Get(), nullptr);
  char saverName[64] = {};
  // String 1 is the name under which the Display control panel lists a screen saver.
  EXPECT_GT(::LoadStringA(module.Get(), 1, saverName, sizeof saverName), 0);
  EXPECT_STREQ(saverName, "Glowdrift");
  EXPECT_NE(::FindResourceA(module.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr)
      << "no manifest";
  EXPECT_NE(::FindResourceA(module.Get(), MAKEINTRESOURCEA(100), MAKEINTRESOURCEA(5)), nullptr)
      << "no settings dialog";
}

}  // namespace
}  // namespace swivex::glowdrift::testing
