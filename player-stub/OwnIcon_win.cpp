#include <windows.h>

#include "player-stub/IconFile.h"
#include "player-stub/OwnIcon.h"

namespace swivex {

namespace {

std::span<const unsigned char> ResourceBytes(const char* name, const char* type) {
  HRSRC found = ::FindResourceA(nullptr, name, type);
  if (!found) return {};
  HGLOBAL loaded = ::LoadResource(nullptr, found);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const unsigned char*>(bytes), ::SizeofResource(nullptr, found)};
}

class ResourceImages final : public IconImages {
 public:
  std::span<const unsigned char> Image(std::uint16_t id) override {
    return ResourceBytes(MAKEINTRESOURCEA(id), RT_ICON);
  }
};

struct Assembly {
  std::span<char> storage;
  std::size_t length = 0;
};

// Called for the groups in the order of their names, Explorer's order: the first one ends it.
BOOL CALLBACK AssembleFirstGroup(HMODULE, LPCSTR type, LPSTR name, LONG_PTR parameter) {
  auto& assembly = *reinterpret_cast<Assembly*>(parameter);
  ResourceImages images;
  assembly.length = WriteIconFile(ResourceBytes(name, type), images, assembly.storage);
  return FALSE;
}

}  // namespace

std::span<const char> FindOwnIcon(std::span<char> storage) {
  Assembly assembly{storage};
  ::EnumResourceNamesA(nullptr, RT_GROUP_ICON, AssembleFirstGroup,
                       reinterpret_cast<LONG_PTR>(&assembly));
  return storage.first(assembly.length);
}

}  // namespace swivex
