#pragma once

#include <windows.h>

#include <string>

namespace swivex {

std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);

}  // namespace swivex
