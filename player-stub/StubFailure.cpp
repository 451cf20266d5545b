#include "player-stub/StubFailure.h"

namespace swivex {

bool ReportFailure(FileSystem& system, BoundedText& failure, const char* what,
                   const BoundedText& path, FileError error) {
  failure.Append(what).Append(" \"").Append(path).Append("\".");
  return ReportFailure(system, failure, "", error);
}

bool ReportFailure(FileSystem& system, BoundedText& failure, const char* sentence,
                   FileError error) {
  failure.Append(sentence).Append(" ");
  system.AppendErrorText(failure, error);
  failure.Append(".");
  return false;
}

}  // namespace swivex
