// System libraries loaded from the system folder, their typed functions, and the errors that
// name what is missing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/AsciiText.h"
#include "winsupport/SystemLibrary.h"

namespace swivex::win {
namespace {

std::string ErrorOf(void (*attempt)()) {
  try {
    attempt();
  } catch (const SystemLibraryError& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(SystemLibrary, LoadsTheSystemFoldersCopyAndFindsTypedFunctions) {
  const SystemLibrary version("VERSION.dll");
  const auto getSize =
      version.Function<decltype(::GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA");
  char kernel[MAX_PATH * 3];
  const UINT length = ::GetSystemDirectoryA(kernel, MAX_PATH * 2);
  const std::string kernelPath = std::string(kernel, length) + "\\kernel32.dll";
  DWORD handle = 0;
  EXPECT_GT(getSize(kernelPath.c_str(), &handle), 0u) << "kernel32.dll has a version block";

  char loaded[MAX_PATH * 3];
  const DWORD loadedLength =
      ::GetModuleFileNameA(::GetModuleHandleA("version.dll"), loaded, sizeof loaded);
  EXPECT_EQ(swivex::testing::AsciiLower(std::string(loaded, loadedLength)),
            swivex::testing::AsciiLower(std::string(kernel, length) + "\\version.dll"));
}

TEST(SystemLibrary, SaysWhichLibraryOrFunctionIsMissing) {
  EXPECT_EQ(ErrorOf([] {
              SystemLibrary("swivex-no-such-library.dll");
            }).rfind("Cannot load swivex-no-such-library.dll from the Windows system folder. ", 0),
            0u);
  EXPECT_EQ(ErrorOf([] { SystemLibrary("kernel32.dll").Function<void()>("SwivexNoSuchFunction"); }),
            "kernel32.dll in the Windows system folder has no function SwivexNoSuchFunction.");
}

}  // namespace
}  // namespace swivex::win
