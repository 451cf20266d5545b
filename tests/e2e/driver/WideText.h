#pragma once

#include <string>

namespace swivex::e2e {

// Text between the driver's ANSI code page and UTF-16, the form in which texts cross from one
// process to another without loss: a text sent with SendMessageA goes through the sender's code
// page and loses every character that it lacks.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& text);

}  // namespace swivex::e2e
