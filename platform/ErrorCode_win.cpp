#include <windows.h>

#include "platform/ErrorCode.h"

namespace swivex::errors {

const ErrorCode kFileNotFound = ERROR_FILE_NOT_FOUND;
const ErrorCode kPathNotFound = ERROR_PATH_NOT_FOUND;
const ErrorCode kAccessDenied = ERROR_ACCESS_DENIED;
const ErrorCode kSharingViolation = ERROR_SHARING_VIOLATION;
const ErrorCode kDiskFull = ERROR_DISK_FULL;
const ErrorCode kNotSupported = ERROR_NOT_SUPPORTED;
const ErrorCode kFileExists = ERROR_FILE_EXISTS;
const ErrorCode kUnableToMoveReplacement = ERROR_UNABLE_TO_MOVE_REPLACEMENT;

}  // namespace swivex::errors
