#pragma once

// Identifiers shared by the resource script and the code.

// The name that the Display control panel lists the saver under: string 1, by convention.
#define IDS_SAVER_NAME 1

#define IDD_SETTINGS 100
#define IDC_SETTINGS_MOVIE 101
#define IDC_SETTINGS_PLAY_MOVIE 102
#define IDC_SETTINGS_PLAY_SOUND 103

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
