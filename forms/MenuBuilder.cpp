#include "forms/MenuBuilder.h"

#include <vector>

namespace swivex {

std::string ShortcutText(const Shortcut& shortcut) {
  std::string text;
  if (shortcut.control) text += "Ctrl+";
  if (shortcut.shift) text += "Shift+";
  if (shortcut.alt) text += "Alt+";
  text += shortcut.key;
  return text;
}

namespace {

win::UniqueMenu CreateDropDown(const MenuLayout& menu) {
  win::UniqueMenu dropDown(::CreatePopupMenu());
  for (const MenuItemLayout& item : menu.items) {
    if (item.caption == nullptr) {
      ::AppendMenuA(dropDown.Get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::string caption = item.caption;
    if (item.shortcut.key != 0) caption.append("\t").append(ShortcutText(item.shortcut));
    ::AppendMenuA(dropDown.Get(), MF_STRING, static_cast<UINT_PTR>(item.id), caption.c_str());
  }
  return dropDown;
}

}  // namespace

win::UniqueMenu CreateMenuBar(std::span<const MenuLayout> menus) {
  win::UniqueMenu bar(::CreateMenu());
  for (const MenuLayout& menu : menus) {
    win::UniqueMenu dropDown = CreateDropDown(menu);
    if (::AppendMenuA(bar.Get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown.Get()),
                      menu.caption)) {
      dropDown.Release();  // the bar destroys it
    }
  }
  return bar;
}

win::UniqueAccelerators CreateShortcutTable(std::span<const MenuLayout> menus) {
  std::vector<ACCEL> table;
  for (const MenuLayout& menu : menus) {
    for (const MenuItemLayout& item : menu.items) {
      if (item.shortcut.key == 0) continue;
      BYTE flags = FVIRTKEY;
      if (item.shortcut.control) flags |= FCONTROL;
      if (item.shortcut.shift) flags |= FSHIFT;
      if (item.shortcut.alt) flags |= FALT;
      table.push_back({flags, static_cast<WORD>(item.shortcut.key), static_cast<WORD>(item.id)});
    }
  }
  if (table.empty()) return {};
  return win::UniqueAccelerators(
      ::CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
}

}  // namespace swivex
