#include "console/FileTurn.h"

#include "common/ExceptionText.h"
#include "projector/ConversionProgress.h"
#include "projector/Conversions.h"

namespace swivex::console {

std::string FailureText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const ETargetExists& raised) {
    return raised.Message() + " (--force replaces it)";
  } catch (...) {
    return ExceptionText(error);
  }
}

bool TakeTurn(const std::string& file, Outcomes& outcomes, StopRequests& stops,
              const std::function<void()>& work) {
  if (stops.Requested() != StopRequest::kNone) {
    outcomes.Cancelled(file);
    return false;
  }
  try {
    work();
    return true;
  } catch (const EConversionCancelled&) {
    outcomes.Cancelled(file);
    return false;
  } catch (...) {
    outcomes.Failed(file, FailureText(std::current_exception()));
    return true;
  }
}

}  // namespace swivex::console
