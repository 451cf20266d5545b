#pragma once

#include "shell/ErrorBox.h"
#include "winsupport/ErrorBoundary.h"
#include "winsupport/Window.h"

namespace swivex {

// The program's answer to an error that leaves an event handler: the error box. The handler is
// abandoned and the program carries on.
struct ErrorBoxPolicy {
  static void OnError(const char* what) noexcept;
};

// Runs one event handler inside the program's error boundary. Window procedures, hooks and
// other callbacks run everything through here, so that no exception reaches the system's code.
template <typename Handler>
void RunGuarded(Handler&& handler) noexcept {
  win::RunGuarded<ErrorBoxPolicy>(handler);
}

// The base of the program's windows: every message is handled inside the error boundary.
template <typename Form>
using Window = win::Window<Form, ErrorBoxPolicy>;

}  // namespace swivex
