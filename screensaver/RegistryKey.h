#pragma once

#include <string>

#include "platform/Registry.h"

namespace swivex {

// A key of the current user's registry hive, open with full access while the object lives.
// A key that could not be opened behaves as an empty key that refuses writes, so that a missing
// key surfaces as the write error of the value the caller wanted to set.
class RegistryKey {
 public:
  // Opens `subKey` without creating it.
  static RegistryKey OpenCurrentUser(const std::string& subKey, Registry& registry);

  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey();

  // A REG_SZ or REG_EXPAND_SZ value (not expanded) up to its first NUL. A value that is missing,
  // cannot be queried or has no data reads as empty text. Raises ERegistryException when its
  // data cannot be read or are of another type.
  std::string ReadString(const std::string& name);
  // Sets a REG_SZ value; raises ERegistryException when that fails.
  void WriteString(const std::string& name, const std::string& text);

 private:
  RegistryKey(NativeKey key, Registry& registry) : key_(key), registry_(&registry) {}
  void Close();

  NativeKey key_;
  Registry* registry_;
};

}  // namespace swivex
