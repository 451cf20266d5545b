#include "projector/ConversionKind.h"

#include "common/FileNames.h"
#include "projector/Conversions.h"
#include "winsupport/AsciiCase.h"

namespace swivex {

namespace {

constexpr std::string_view kMovieExtension = ".swf";
constexpr std::string_view kProjectorExtension = ".exe";

// The last component's extension with its ".", or nothing.
std::string_view ExtensionOf(std::string_view path, const PathSyntax& syntax) {
  const std::size_t last = LastDelimiter(path, FolderDelimiters(syntax) + '.', syntax.isLeadByte);
  if (last == std::string_view::npos || path[last] != '.') return {};
  return path.substr(last);
}

}  // namespace

std::optional<ConversionKind> ConversionForFile(std::string_view path, const PathSyntax& syntax) {
  const std::string_view extension = ExtensionOf(path, syntax);
  if (win::EqualsIgnoringCase(extension, kMovieExtension)) return ConversionKind::SwfToExe;
  if (win::EqualsIgnoringCase(extension, kProjectorExtension)) return ConversionKind::ExeToSwf;
  return std::nullopt;
}

std::string ConversionTarget(ConversionKind kind, std::string_view source,
                             const PathSyntax& syntax) {
  return ReplaceExtension(
      source, kind == ConversionKind::SwfToExe ? kProjectorExtension : kMovieExtension, syntax);
}

std::string MovieOf(ConversionKind kind, const std::string& source, const std::string& target) {
  return kind == ConversionKind::SwfToExe ? source : target;
}

std::string RunConversion(ConversionKind kind, const std::string& source, const std::string& target,
                          Files& files, ConversionProgress* progress) {
  if (kind == ConversionKind::SwfToExe) return BuildProjector(source, target, files, progress);
  return ExtractMovie(source, target, files, progress);
}

}  // namespace swivex
