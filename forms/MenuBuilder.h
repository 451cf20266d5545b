#pragma once

#include <span>
#include <string>

#include "forms/MenuLayout.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

// The text shown beside a menu item for its shortcut: "Ctrl+Q".
std::string ShortcutText(const Shortcut& shortcut);

// A menu bar with one drop-down menu per entry; an item with a shortcut shows it after a tab.
win::UniqueMenu CreateMenuBar(std::span<const MenuLayout> menus);

// The accelerator table of every shortcut in the menus, each sending its item's command.
win::UniqueAccelerators CreateShortcutTable(std::span<const MenuLayout> menus);

}  // namespace swivex
