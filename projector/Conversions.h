#pragma once

#include <string>

#include "common/Exceptions.h"

namespace swivex {

class ConversionProgress;
class Files;

inline constexpr char kConvertedMessage[] = "File has been converted successfully!";
inline constexpr char kUnknownProjectorMessage[] = "Unknown type of executable flash file!";
// The player stub, looked up in the program folder.
inline constexpr char kPlayerStubName[] = "Viewhost.exe";
// The player stub of projectors for Linux, built beside swivexc by the Linux build.
inline constexpr char kLinuxPlayerStubName[] = "viewhost";

// Both conversions replace a file at the target only once the new one is complete: a failure,
// or a cancel through `progress`, leaves it as it was and nothing beside it. `progress`, if
// given, follows the bytes written and can stop the conversion (EConversionCancelled).

// What a conversion does with a file that already has the target's name.
enum class ExistingTarget {
  kReplace,  // replace it once the new file is complete
  kRefuse,   // leave it alone and raise ETargetExists, before anything is written
};

// Raised instead of replacing an existing target that the caller asked to keep.
class ETargetExists : public EFCreateError {
  using EFCreateError::EFCreateError;
};

struct ConversionOptions {
  ConversionProgress* progress = nullptr;
  ExistingTarget existingTarget = ExistingTarget::kReplace;
  // The target is a program for a system where files are run by permission, not by extension.
  bool runnable = false;
};

// Writes the player stub, the movie and the trailer to `targetPath`, replacing any file there.
// Returns the result message; failures raise error reports.
std::string BuildProjector(const std::string& moviePath, const std::string& targetPath,
                           Files& files, ConversionProgress* progress = nullptr);
// The same with the player stub `stubPath` instead of the one in the program folder.
std::string BuildProjector(const std::string& stubPath, const std::string& moviePath,
                           const std::string& targetPath, Files& files,
                           const ConversionOptions& options);

// Writes the movie that `bundlePath` carries to `targetPath`, replacing any file there. Returns
// the result message, or the unknown-type message for a file without a projector trailer, in
// which case nothing is created.
std::string ExtractMovie(const std::string& bundlePath, const std::string& targetPath, Files& files,
                         ConversionProgress* progress = nullptr);
std::string ExtractMovie(const std::string& bundlePath, const std::string& targetPath, Files& files,
                         const ConversionOptions& options);

}  // namespace swivex
