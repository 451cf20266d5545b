#include "screensaver-module/SaverSettings.h"

namespace swivex::glowdrift {

bool ChoiceFromValue(const std::optional<StoredValue>& stored, bool byDefault) {
  if (!stored || stored->type != kDwordValueType || stored->bytes.size() != 4) return byDefault;
  const std::span<const std::uint8_t> bytes = stored->bytes;
  if (bytes[1] != 0 || bytes[2] != 0 || bytes[3] != 0 || bytes[0] > 1) return byDefault;
  return bytes[0] == 1;
}

}  // namespace swivex::glowdrift
