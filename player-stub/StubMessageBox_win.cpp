#include <windows.h>

#include "player-stub/StubMessages.h"

namespace swivex {

void ShowStubMessage(const char* text, MessageKind kind) {
  constexpr char kTitle[] = "Swivex projector";
  const UINT icon = kind == MessageKind::Information ? MB_ICONINFORMATION
                    : kind == MessageKind::Warning   ? MB_ICONWARNING
                                                     : MB_ICONERROR;
  ::MessageBoxA(nullptr, text, kTitle, MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace swivex
