#include "tests/screensaver/InstallerRegistry.h"

namespace swivex::testing {

namespace {

// What RegQueryValueExA answers when the buffer is too small for the data.
constexpr ErrorCode kMoreData = 234;

}  // namespace

RegistryValue StringValue(const std::string& text, std::uint32_t type) {
  RegistryValue value{type, Bytes(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

void PrintTo(const RegistryValue& value, std::ostream* out) {
  *out << "type " << value.type << " \"";
  for (unsigned char byte : value.data) {
    if (byte >= 0x20 && byte < 0x7F) {
      *out << static_cast<char>(byte);
    } else {
      const char digits[] = "0123456789ABCDEF";
      *out << "\\x" << digits[byte >> 4] << digits[byte & 15];
    }
  }
  *out << "\"";
}

KeyResult InstallerRegistry::OpenCurrentUserKey(const std::string& subKey) {
  if (subKey != "Control Panel\\Desktop" || !desktopKeyExists)
    return {kNoKey, errors::kFileNotFound};
  ++keysOpened;
  const NativeKey key = nextKey_++;
  openKeys.insert(key);
  return {key, 0};
}

bool InstallerRegistry::IsOpen(NativeKey key, const char* call) {
  if (openKeys.count(key)) return true;
  misuse.push_back(std::string(call) + " with key " + std::to_string(key));
  return false;
}

ValueInfo InstallerRegistry::QueryValueInfo(NativeKey key, const std::string& name) {
  if (!IsOpen(key, "QueryValueInfo")) return {0, 0, errors::kAccessDenied};
  if (queryInfoError != 0) return {0, 0, queryInfoError};
  const auto found = desktopValues.find(name);
  if (found == desktopValues.end()) return {0, 0, errors::kFileNotFound};
  return {found->second.type, static_cast<std::uint32_t>(found->second.data.size()), 0};
}

ErrorCode InstallerRegistry::QueryValueData(NativeKey key, const std::string& name,
                                            std::vector<unsigned char>& data) {
  if (!IsOpen(key, "QueryValueData")) return errors::kAccessDenied;
  if (queryDataError != 0) return queryDataError;
  const auto found = desktopValues.find(name);
  if (found == desktopValues.end()) return errors::kFileNotFound;
  if (data.size() < found->second.data.size()) return kMoreData;
  data = found->second.data;
  return 0;
}

ErrorCode InstallerRegistry::SetStringValue(NativeKey key, const std::string& name,
                                            const std::string& text) {
  if (!IsOpen(key, "SetStringValue")) return errors::kAccessDenied;
  if (setError != 0) return setError;
  ++valuesSet;
  desktopValues[name] = StringValue(text);
  return 0;
}

void InstallerRegistry::CloseKey(NativeKey key) {
  if (IsOpen(key, "CloseKey")) openKeys.erase(key);
}

}  // namespace swivex::testing
