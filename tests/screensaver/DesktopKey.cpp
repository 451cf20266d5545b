#include "tests/screensaver/DesktopKey.h"

#include <gtest/gtest.h>

namespace swivex::testing {

namespace {

HKEY OpenDesktopKey() {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS)
    return nullptr;
  return key;
}

}  // namespace

void PrintTo(const RawValue& value, std::ostream* out) {
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

RawValue Text(const std::string& text, DWORD type) {
  RawValue value{type, Bytes(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

DesktopKey::DesktopKey() : key_(OpenDesktopKey()) {}

std::optional<RawValue> DesktopKey::Read(const std::string& name) const {
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  RawValue value{type, Bytes(size)};
  if (::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, value.data.data(), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  value.data.resize(size);
  return value;
}

void DesktopKey::Write(const std::string& name, const RawValue& value) const {
  ASSERT_EQ(::RegSetValueExA(key_.Get(), name.c_str(), 0, value.type, value.data.data(),
                             static_cast<DWORD>(value.data.size())),
            ERROR_SUCCESS);
}

void DesktopKey::Delete(const std::string& name) const {
  ::RegDeleteValueA(key_.Get(), name.c_str());
}

std::map<std::string, RawValue> DesktopKey::All() const {
  std::map<std::string, RawValue> values;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD nameLength = sizeof name;
    if (::RegEnumValueA(key_.Get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    values[name] = Read(name).value_or(RawValue{});
  }
  return values;
}

}  // namespace swivex::testing
