#pragma once

#include <span>
#include <string>

#include "app/UniqueHandle.h"
#include "ui/MenuLayout.h"

namespace swivex {

// The text shown beside a menu item for its shortcut: "Ctrl+Q".
std::string ShortcutText(const Shortcut& shortcut);

// A menu bar with one drop-down menu per entry; an item with a shortcut shows it after a tab.
UniqueMenu CreateMenuBar(std::span<const MenuLayout> menus);

// The accelerator table of every shortcut in the menus, each sending its item's command.
UniqueAccelerators CreateShortcutTable(std::span<const MenuLayout> menus);

}  // namespace swivex
