#include "screensaver/RegistryKey.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/Exceptions.h"

namespace swivex {

namespace {

[[noreturn]] void RaiseRegistryError(const char* what, const std::string& name) {
  throw ERegistryException(std::string(what) + " '" + name + "'");
}

std::string TextUpToFirstNul(const std::vector<unsigned char>& data) {
  const auto end = std::find(data.begin(), data.end(), '\0');
  return std::string(data.begin(), end);
}

}  // namespace

RegistryKey RegistryKey::OpenCurrentUser(const std::string& subKey, Registry& registry) {
  return RegistryKey(registry.OpenCurrentUserKey(subKey).key, registry);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : key_(std::exchange(other.key_, kNoKey)), registry_(other.registry_) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = std::exchange(other.key_, kNoKey);
    registry_ = other.registry_;
  }
  return *this;
}

RegistryKey::~RegistryKey() { Close(); }

void RegistryKey::Close() {
  if (key_ == kNoKey) return;
  registry_->CloseKey(std::exchange(key_, kNoKey));
}

std::string RegistryKey::ReadString(const std::string& name) {
  if (key_ == kNoKey) return {};
  const ValueInfo info = registry_->QueryValueInfo(key_, name);
  if (info.error != 0 || info.size == 0) return {};
  std::vector<unsigned char> data(info.size);
  if (registry_->QueryValueData(key_, name, data) != 0)
    RaiseRegistryError("Failed to get data for", name);
  if (info.type != kRegSz && info.type != kRegExpandSz)
    RaiseRegistryError("Invalid data type for", name);
  return TextUpToFirstNul(data);
}

void RegistryKey::WriteString(const std::string& name, const std::string& text) {
  if (key_ == kNoKey || registry_->SetStringValue(key_, name, text) != 0)
    RaiseRegistryError("Failed to set data for", name);
}

}  // namespace swivex
