#pragma once

// The identifiers of the main window's controls and menu commands, by which programs that drive
// the window find them.
namespace swivex::mainform {

inline constexpr char kClassName[] = "TMainForm";

inline constexpr int kButton1 = 101;
inline constexpr int kButton2 = 102;
inline constexpr int kButton3 = 103;
inline constexpr int kGroupBox1 = 104;
inline constexpr int kLabel1 = 105;
inline constexpr int kLabel2 = 106;
inline constexpr int kEdit1 = 107;
inline constexpr int kEdit2 = 108;
inline constexpr int kButton4 = 109;

inline constexpr int kConvertSWFtoEXE = 201;
inline constexpr int kConvertEXEtoSWF = 202;
inline constexpr int kSetasScreenSaver1 = 203;
inline constexpr int kExit1 = 204;
inline constexpr int kContents1 = 205;
inline constexpr int kAbout1 = 206;

}  // namespace swivex::mainform
