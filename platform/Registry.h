#pragma once

#include <string>
#include <vector>

#include "platform/ErrorCode.h"
#include "platform/RegistryTypes.h"

namespace swivex {

// The current user's registry hive. Every call returns the system's own error code, which the
// registry functions return instead of setting the last error.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key with full access; never creates one.
  virtual KeyResult OpenCurrentUserKey(const std::string& subKey) = 0;
  virtual ValueInfo QueryValueInfo(NativeKey key, const std::string& name) = 0;
  // Fills `data`, sized by the caller, and shrinks it to the size the value holds.
  virtual ErrorCode QueryValueData(NativeKey key, const std::string& name,
                                   std::vector<unsigned char>& data) = 0;
  virtual ErrorCode SetStringValue(NativeKey key, const std::string& name,
                                   const std::string& text) = 0;
  virtual void CloseKey(NativeKey key) = 0;
};

}  // namespace swivex
