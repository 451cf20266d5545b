// The current user's registry hive through the ANSI Win32 API.
#include <windows.h>

#include "platform/SystemRegistry.h"

namespace swivex {

namespace {

HKEY AsKey(NativeKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

KeyResult SystemRegistry::OpenCurrentUserKey(const std::string& subKey) {
  HKEY key = nullptr;
  LONG status = ::RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (status != ERROR_SUCCESS) return {kNoKey, static_cast<ErrorCode>(status)};
  return {reinterpret_cast<NativeKey>(key), 0};
}

ValueInfo SystemRegistry::QueryValueInfo(NativeKey key, const std::string& name) {
  DWORD type = 0, size = 0;
  LONG status = ::RegQueryValueExA(AsKey(key), name.c_str(), nullptr, &type, nullptr, &size);
  return {type, size, static_cast<ErrorCode>(status)};
}

ErrorCode SystemRegistry::QueryValueData(NativeKey key, const std::string& name,
                                         std::vector<unsigned char>& data) {
  DWORD size = static_cast<DWORD>(data.size());
  LONG status = ::RegQueryValueExA(AsKey(key), name.c_str(), nullptr, nullptr, data.data(), &size);
  if (status == ERROR_SUCCESS) data.resize(size);
  return static_cast<ErrorCode>(status);
}

ErrorCode SystemRegistry::SetStringValue(NativeKey key, const std::string& name,
                                         const std::string& text) {
  // The data of a REG_SZ value include the terminating NUL.
  return static_cast<ErrorCode>(::RegSetValueExA(AsKey(key), name.c_str(), 0, REG_SZ,
                                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                                 static_cast<DWORD>(text.size() + 1)));
}

void SystemRegistry::CloseKey(NativeKey key) { ::RegCloseKey(AsKey(key)); }

}  // namespace swivex
