#pragma once
// Numbers of the program's resources: dialog templates, the menu and its commands, bitmaps, strings.
// The control ids of the templates are in ControlIds.h.

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

// The commands of menu 130.
enum ECommandId : int
{
    ID_SYSTEM_RESET = 2000,
    ID_SYSTEM_SELF_TEST = 2001,
    ID_PANELS_MEASURE = 2002,
    ID_PANELS_EVENT_TRIG = 2003,
    ID_PANELS_INPUT_CONFIG = 2004,
    ID_PANELS_ARM = 2005,
    ID_PANELS_MISC = 2006,
    ID_PANELS_OUTPUT_CONFIG = 2007,
    ID_HELP_CONTENTS = 2008,
    ID_HELP_ABOUT = 2009,
    ID_SYSTEM_AUTO_UPDATE = 2010,
    ID_SYSTEM_EXIT = 2011,
    ID_SYSTEM_SYNC = 2012,
};

// The string table's ids. The Event Trig and Input Config panels have captions of their own with the same
// text ("Channel 1"), named after the panel.
enum EStringId : int
{
    IDS_TRIG_SLOPE_POS = 3,
    IDS_TRIG_CHANNEL_1 = 4,
    IDS_TRIG_CHANNEL_2 = 5,
    IDS_TRIG_SLOPE_NEG = 8,
    IDS_X1 = 20,
    IDS_X10 = 21,
    IDS_50_OHM = 22,
    IDS_1_M_OHM = 23,
    IDS_DC = 24,
    IDS_AC = 25,
    IDS_SEPARATE = 26,
    IDS_COMMON = 27,
    IDS_INPUT_CHANNEL_1 = 28,
    IDS_INPUT_CHANNEL_2 = 29,
    IDS_LOWER_REF = 57,
    IDS_UPPER_REF = 58,
    IDS_REFERENCE = 59,
    IDS_FREQ = 64,
    IDS_PERIOD = 65,
    IDS_FREQ_RATIO = 66,
    IDS_RISE_TIME = 67,
    IDS_FALL_TIME = 68,
    IDS_PWIDTH = 69,
    IDS_NWIDTH = 70,
    IDS_TIME_INT = 71,
    IDS_TOTALIZE = 72,
    IDS_AC_RMS = 73,
    IDS_DCV = 74,
    IDS_MIN_V = 75,
    IDS_MAX_V = 76,
    IDS_LOWER_REFERENCE_TITLE = 81,
    IDS_UPPER_REFERENCE_TITLE = 82,
    IDS_REFERENCE_TITLE = 83,
    IDS_RESOLUTION_TITLE = 84,
    IDS_EXPECTED_TITLE = 85,
    IDS_ARM_SLOPE_POS = 86,
    IDS_ARM_SLOPE_NEG = 87,
    IDS_TIMEBASE_OFF = 89,
    IDS_TIMEBASE_ON = 90,
    IDS_SYNC_FAILED = 94,
};
} // namespace res
