#include "shell/ErrorBox.h"

#include <windows.h>

#include "common/Exceptions.h"
#include "shell/Application.h"
#include "shell/ErrorBoundary.h"
#include "shell/ErrorBoxText.h"
#include "shell/ModalScope.h"

namespace swivex {

namespace {

bool NoLeadBytes(unsigned char) { return false; }

// The error box is shown from the error boundary, which every callback runs through: a setting
// made once spares threading the lead-byte test through each of them.
LeadByteTest errorBoxLeadBytes = NoLeadBytes;

}  // namespace

void SetErrorBoxLeadByteTest(LeadByteTest isLeadByte) { errorBoxLeadBytes = isLeadByte; }

void ShowErrorBox(const Exception& error) {
  const std::string text = ErrorBoxText(error.Message(), errorBoxLeadBytes);
  const HWND owner = MainWindow();
  ModalScope modal(owner);
  ::MessageBoxA(owner, text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

void ErrorBoxPolicy::OnError(const char* what) noexcept { ShowErrorBox(Exception(what)); }

}  // namespace swivex
