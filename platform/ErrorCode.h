#pragma once

#include <cstdint>

namespace swivex {

// The operating system's own error number: a Win32 error code on Windows, errno elsewhere.
using ErrorCode = std::uint32_t;

// Well-known error numbers of the system the program was built for, for callers and tests that
// must recognise a particular failure.
namespace errors {
extern const ErrorCode kFileNotFound;
extern const ErrorCode kAccessDenied;
extern const ErrorCode kSharingViolation;
extern const ErrorCode kDiskFull;
}  // namespace errors

}  // namespace swivex
