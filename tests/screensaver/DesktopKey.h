#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "tests/support/TestFiles.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::testing {

// A value as the registry holds it.
struct RawValue {
  DWORD type = REG_NONE;
  Bytes data;
  bool operator==(const RawValue&) const = default;
};
void PrintTo(const RawValue& value, std::ostream* out);

// Text as a string value stores it: its bytes and the terminating NUL.
RawValue Text(const std::string& text, DWORD type = REG_SZ);

// HKCU\Control Panel\Desktop of the real registry, open for a test's own reads and writes.
class DesktopKey {
 public:
  DesktopKey();

  std::optional<RawValue> Read(const std::string& name) const;
  void Write(const std::string& name, const RawValue& value) const;
  void Delete(const std::string& name) const;
  std::map<std::string, RawValue> All() const;

 private:
  win::UniqueKey key_;
};

}  // namespace swivex::testing
