#pragma once

#include <string>
#include <string_view>

#include "platform/PathSyntax.h"

namespace swivex::console {

// `path` with every "/" made the system's separator. Windows takes "/" for "\\" in most calls
// but not in all (ReplaceFileA refuses it), and the name functions here know one separator.
std::string WithSystemSeparators(std::string path, const PathSyntax& syntax);

// The last component of a path: "movies/intro.swf" -> "intro.swf".
std::string NamePart(std::string_view path, const PathSyntax& syntax);

// `name` inside `folder`, with one separator between them; `name` alone for an empty folder.
std::string InFolder(std::string_view folder, std::string_view name, const PathSyntax& syntax);

// Where a converted file goes: beside the source with `extension` for its extension, or with
// that name in `folder` when one is given.
std::string TargetFor(std::string_view source, std::string_view extension, std::string_view folder,
                      const PathSyntax& syntax);

}  // namespace swivex::console
