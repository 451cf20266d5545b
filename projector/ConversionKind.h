#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/PathSyntax.h"

namespace swivex {

class ConversionProgress;
class Files;

// The program's two conversions.
enum class ConversionKind {
  SwfToExe,  // a movie into a projector
  ExeToSwf,  // a projector back into its movie
};

// The conversion that a file's type asks for, by the extension of its last path component:
// ".swf" builds a projector, ".exe" extracts a movie, in any letter case. None for any other
// file.
std::optional<ConversionKind> ConversionForFile(std::string_view path, const PathSyntax& syntax);

// The file that the conversion writes for `source`: the same path with the extension of the
// kind's result, whichever way the conversion was asked for.
std::string ConversionTarget(ConversionKind kind, std::string_view source,
                             const PathSyntax& syntax);

// The movie's file of the two: the source of a projector's build, the target of an extraction.
std::string MovieOf(ConversionKind kind, const std::string& source, const std::string& target);

// Runs BuildProjector or ExtractMovie.
std::string RunConversion(ConversionKind kind, const std::string& source, const std::string& target,
                          Files& files, ConversionProgress* progress);

}  // namespace swivex
