#include "app/ErrorBox.h"

#include <windows.h>

#include "app/Application.h"
#include "app/ErrorBoxText.h"
#include "app/ModalScope.h"
#include "common/Exceptions.h"

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

}  // namespace swivex
