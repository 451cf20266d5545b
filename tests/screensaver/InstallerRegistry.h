#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {

struct RegistryValue {
  std::uint32_t type = kRegSz;
  Bytes data;
  bool operator==(const RegistryValue&) const = default;
};
void PrintTo(const RegistryValue& value, std::ostream* out);

// Text as a string value stores it: its bytes and the terminating NUL.
RegistryValue StringValue(const std::string& text, std::uint32_t type = kRegSz);

// An in-memory current-user hive that holds the one key the installer may use,
// "Control Panel\Desktop". Its calls can be made to fail; what the installer did with keys is
// recorded.
class InstallerRegistry : public Registry {
 public:
  bool desktopKeyExists = true;
  std::map<std::string, RegistryValue> desktopValues;  // by exact name
  ErrorCode queryInfoError = 0;
  ErrorCode queryDataError = 0;
  ErrorCode setError = 0;

  int keysOpened = 0;
  int valuesSet = 0;
  std::set<NativeKey> openKeys;
  std::vector<std::string> misuse;  // calls with keys that are not open

  KeyResult OpenCurrentUserKey(const std::string& subKey) override;
  ValueInfo QueryValueInfo(NativeKey key, const std::string& name) override;
  ErrorCode QueryValueData(NativeKey key, const std::string& name,
                           std::vector<unsigned char>& data) override;
  ErrorCode SetStringValue(NativeKey key, const std::string& name,
                           const std::string& text) override;
  void CloseKey(NativeKey key) override;

 private:
  bool IsOpen(NativeKey key, const char* call);
  NativeKey nextKey_ = 0x100;
};

}  // namespace swivex::testing
