#include <cerrno>

#include "platform/ErrorCode.h"

namespace swivex::errors {

const ErrorCode kFileNotFound = ENOENT;
const ErrorCode kPathNotFound = ENOENT;
const ErrorCode kAccessDenied = EACCES;
// What an exclusive open reports for a file that another open holds (see SystemFiles_posix.cpp).
const ErrorCode kSharingViolation = EBUSY;
const ErrorCode kDiskFull = ENOSPC;
const ErrorCode kNotSupported = ENOTSUP;
const ErrorCode kFileExists = EEXIST;
// rename() replaces in one step and never leaves the replaced file gone.
const ErrorCode kUnableToMoveReplacement = 0xFFFFFFFF;

}  // namespace swivex::errors
