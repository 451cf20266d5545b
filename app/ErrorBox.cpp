#include "app/ErrorBox.h"

#include <windows.h>

#include "app/Application.h"
#include "app/ErrorBoxText.h"
#include "app/ModalScope.h"
#include "common/Exceptions.h"
#include "platform/Platform.h"

namespace swivex {

void ShowErrorBox(const Exception& error) {
  const std::string text = ErrorBoxText(error.Message(), SystemPlatform());
  const HWND owner = MainWindow();
  ModalScope modal(owner);
  ::MessageBoxA(owner, text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace swivex
