#pragma once

// The identifiers of the About box's window class and controls, by which programs that drive
// the window find them.
namespace swivex::aboutform {

inline constexpr char kClassName[] = "TAboutForm";

inline constexpr int kImage1 = 301;
inline constexpr int kProductName = 302;
inline constexpr int kLabelVersion = 303;
inline constexpr int kCopyright = 304;
inline constexpr int kHttpTo = 305;
inline constexpr int kMailTo = 306;
inline constexpr int kBevel1 = 307;
inline constexpr int kLabel3 = 308;
inline constexpr int kPhysMem = 309;
inline constexpr int kLabel4 = 310;
inline constexpr int kFreeRes = 311;

}  // namespace swivex::aboutform
