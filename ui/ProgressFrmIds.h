#pragma once

// The identifiers of the progress window and its controls, by which programs that drive the
// window find them.
namespace swivex::progressform {

inline constexpr char kClassName[] = "TProgressForm";

inline constexpr int kMovieName = 101;
inline constexpr int kProgressBar = 102;
inline constexpr int kPercent = 103;
inline constexpr int kFileCount = 104;
// IDCANCEL, so that Esc presses it as in a dialog.
inline constexpr int kCancelButton = 2;

}  // namespace swivex::progressform
