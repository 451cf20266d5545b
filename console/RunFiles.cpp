#include "console/RunFiles.h"

#include "common/Exceptions.h"

namespace swivex::console {

void RunFiles::AddSource(const std::string& source) {
  if (const auto identity = identities_.IdentityOf(source)) sources_.emplace(*identity, source);
}

void RunFiles::CheckTarget(const std::string& source, const std::string& target) {
  const auto identity = identities_.IdentityOf(target);
  if (!identity) return;
  const std::string replace = "The " + result_ + " would replace \"";
  if (const auto made = written_.find(*identity); made != written_.end())
    throw Exception(replace + target + "\", which this run made from \"" + made->second + "\"");
  const auto other = sources_.find(*identity);
  if (other == sources_.end()) return;
  // A source's own file, under the same name or any other, is no target either: the target of
  // a projector for Linux has no extension, so that "movie" would become its own projector.
  if (identities_.IdentityOf(source) == identity)
    throw Exception(replace + target + "\", which it is made from");
  throw Exception(replace + other->second + "\", which is also being converted");
}

void RunFiles::AddWritten(const std::string& source, const std::string& target) {
  if (const auto identity = identities_.IdentityOf(target))
    written_.insert_or_assign(*identity, source);
}

}  // namespace swivex::console
