#include "shell/Application.h"

#include <utility>

namespace swivex {

namespace {

std::string& Title() {
  static std::string title = "Swivex 1.0";
  return title;
}

HWND mainWindow = nullptr;

}  // namespace

const std::string& ApplicationTitle() { return Title(); }

void SetApplicationTitle(std::string title) { Title() = std::move(title); }

HWND MainWindow() { return mainWindow; }

void SetMainWindow(HWND window) { mainWindow = window; }

}  // namespace swivex
