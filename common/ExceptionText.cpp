#include "common/ExceptionText.h"

#include <new>

namespace swivex {

std::string ExceptionText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    // Its own text names the type, which says nothing to a user.
    return "Not enough memory";
  } catch (const std::exception& raised) {
    return raised.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace swivex
