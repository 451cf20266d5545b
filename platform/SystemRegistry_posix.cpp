// The native build has no registry: every operation fails with ENOSYS, so the logic takes its
// error paths; tests that need a registry supply one of their own.
#include <cerrno>

#include "platform/SystemRegistry.h"

namespace swivex {

KeyResult SystemRegistry::OpenCurrentUserKey(const std::string&) { return {kNoKey, ENOSYS}; }

ValueInfo SystemRegistry::QueryValueInfo(NativeKey, const std::string&) { return {0, 0, ENOSYS}; }

ErrorCode SystemRegistry::QueryValueData(NativeKey, const std::string&,
                                         std::vector<unsigned char>&) {
  return ENOSYS;
}

ErrorCode SystemRegistry::SetStringValue(NativeKey, const std::string&, const std::string&) {
  return ENOSYS;
}

void SystemRegistry::CloseKey(NativeKey) {}

}  // namespace swivex
