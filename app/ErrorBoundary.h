#pragma once

#include <exception>

#include "app/ErrorBox.h"
#include "common/Exceptions.h"

namespace swivex {

// Runs one event handler. An error report that leaves it abandons the handler and is shown in
// the error box; the program carries on. Window procedures and other callbacks run everything
// through here, so that no exception reaches the system's code.
template <typename Handler>
void RunGuarded(Handler&& handler) noexcept {
  try {
    handler();
  } catch (const Exception& error) {
    ShowErrorBox(error);
  } catch (const std::exception& error) {
    ShowErrorBox(Exception(error.what()));
  }
}

}  // namespace swivex
