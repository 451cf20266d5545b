#include "shell/ErrorBox.h"

#include <windows.h>

#include "common/Exceptions.h"
#include "platform/Platform.h"
#include "shell/Application.h"
#include "shell/ErrorBoundary.h"
#include "shell/ErrorBoxText.h"
#include "shell/ModalScope.h"

namespace swivex {

void ShowErrorBox(const Exception& error) {
  const std::string text = ErrorBoxText(error.Message(), SystemPlatform());
  const HWND owner = MainWindow();
  ModalScope modal(owner);
  ::MessageBoxA(owner, text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

void ErrorBoxPolicy::OnError(const char* what) noexcept { ShowErrorBox(Exception(what)); }

}  // namespace swivex
