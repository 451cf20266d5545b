#pragma once

#include "forms/Layout.h"

namespace swivex {

inline constexpr char kProgressFormCaption[] = "Converting";

// The progress window's controls at 96 pixels per inch.
const FormLayout& ProgressFormLayout();

}  // namespace swivex
