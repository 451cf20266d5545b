#pragma once

#include "platform/Registry.h"

namespace swivex {

// The current user's hive through the ANSI Win32 API. The native build has no registry: there
// every operation fails with ENOSYS, so the logic takes its error paths.
class SystemRegistry : public Registry {
 public:
  KeyResult OpenCurrentUserKey(const std::string& subKey) override;
  ValueInfo QueryValueInfo(NativeKey key, const std::string& name) override;
  ErrorCode QueryValueData(NativeKey key, const std::string& name,
                           std::vector<unsigned char>& data) override;
  ErrorCode SetStringValue(NativeKey key, const std::string& name,
                           const std::string& text) override;
  void CloseKey(NativeKey key) override;
};

}  // namespace swivex
