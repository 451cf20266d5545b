#pragma once

#include <span>

#include "forms/Layout.h"
#include "forms/MenuLayout.h"

namespace swivex {

// The main window's caption and controls at 96 pixels per inch.
inline constexpr char kMainFormCaption[] = "Swivex 1.0";

const FormLayout& MainFormLayout();

// MainMenu1: File and Help.
std::span<const MenuLayout> MainMenuLayout();

}  // namespace swivex
