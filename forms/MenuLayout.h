#pragma once

#include <span>

namespace swivex {

// A keyboard shortcut: a virtual key with Ctrl, Shift or Alt.
struct Shortcut {
  bool control = false;
  bool shift = false;
  bool alt = false;
  char key = 0;  // an upper-case letter or a digit; 0 for no shortcut
};

// A menu item; "&" in the caption marks the access key. A null caption is a separator.
struct MenuItemLayout {
  const char* name;
  const char* caption;
  int id;
  Shortcut shortcut = {};
};

struct MenuLayout {
  const char* name;
  const char* caption;
  std::span<const MenuItemLayout> items;
};

}  // namespace swivex
