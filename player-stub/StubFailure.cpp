#include "player-stub/StubFailure.h"

namespace swivex {

bool ReportFailure(StubSystem& system, StubText& failure, const char* what, const StubText& path,
                   StubError error) {
  failure.Append(what).Append(" \"").Append(path).Append("\".");
  return ReportFailure(system, failure, "", error);
}

bool ReportFailure(StubSystem& system, StubText& failure, const char* sentence, StubError error) {
  failure.Append(sentence).Append(" ");
  system.AppendErrorText(failure, error);
  failure.Append(".");
  return false;
}

}  // namespace swivex
