#pragma once

// What the driver's tests know of the target window.
namespace swivex::e2e::target {

inline constexpr char kClassName[] = "DriverTarget";
inline constexpr char kCaption[] = "Driver Target";
inline constexpr char kFailureText[] = "Something failed";
inline constexpr int kOpenButton = 1001;
inline constexpr int kFailButton = 1002;
inline constexpr int kCopyButton = 1003;
inline constexpr int kPathField = 1004;
inline constexpr int kQuitCommand = 1005;

}  // namespace swivex::e2e::target
