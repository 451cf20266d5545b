// Before any test: the built module goes into this prefix's system folder as Glowdrift.scr, the
// name under which the installer leaves it and Windows starts it.
#include <gtest/gtest.h>

#include "tests/screensaver-module/TestSystem.h"

namespace swivex::glowdrift::testing {
namespace {

class ModuleInstalled : public ::testing::Environment {
 public:
  void SetUp() override { InstallModule(); }
  void TearDown() override { RemoveMovie(); }
};

[[maybe_unused]] const auto* const kModuleInstalled =
    ::testing::AddGlobalTestEnvironment(new ModuleInstalled);

}  // namespace
}  // namespace swivex::glowdrift::testing
