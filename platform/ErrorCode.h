#pragma once

#include <cstdint>

namespace swivex {

// The operating system's own error number: a Win32 error code on Windows, errno elsewhere.
using ErrorCode = std::uint32_t;

// Well-known error numbers of the system the program was built for, for callers and tests that
// must recognise a particular failure.
namespace errors {
extern const ErrorCode kFileNotFound;
// A folder on the way to the file is missing (the same as kFileNotFound where the system does not
// tell them apart).
extern const ErrorCode kPathNotFound;
extern const ErrorCode kAccessDenied;
extern const ErrorCode kSharingViolation;
extern const ErrorCode kDiskFull;
extern const ErrorCode kFileExists;
// The system cannot do what was asked this way (a copy inside the system, say).
extern const ErrorCode kNotSupported;
// ReplaceExisting could not give the replacement the replaced file's name after the replaced file
// was already gone (Windows' ERROR_UNABLE_TO_MOVE_REPLACEMENT); never reported elsewhere.
extern const ErrorCode kUnableToMoveReplacement;
}  // namespace errors

}  // namespace swivex
