#pragma once
// Numbers of the program's resources: dialog templates, the menu, bitmaps.

namespace res
{
constexpr int IDD_ABOUT = 100;
constexpr int IDD_MEASURE = 104;
constexpr int IDD_INPUT_CONFIG = 113;
constexpr int IDD_EVENT_TRIG = 114;
constexpr int IDD_VALUE_ENTRY = 115;
constexpr int IDD_ARM = 119;
constexpr int IDD_MISC = 120;
constexpr int IDD_OUTPUT_CONFIG = 121;
constexpr int IDD_SELECT_INSTRUMENT = 125;
constexpr int IDD_REFERENCE = 128;

constexpr int IDR_MAIN_MENU = 130;

constexpr int IDB_LOGO = 109;   // 103 x 24, 16 colours
constexpr int IDB_EMBLEM = 111; // 77 x 41, 16 colours

// The About box's placeholder that the dialog fills with the program icon.
constexpr int IDC_ABOUT_ICON = 1200;
} // namespace res
