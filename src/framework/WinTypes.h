#pragma once
// The few Windows types and constants the front panel's code speaks in.

#include <cstdint>

using COLORREF = std::uint32_t; // 0x00BBGGRR

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// Results of a modal dialog, and the ids of its OK and Cancel buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Control id of template controls that have none.
constexpr int IDC_STATIC = -1;

// Notifications a message map can route, with their Windows meaning.
enum ENotification
{
    BN_CLICKED,       // button released inside, or activated from the keyboard
    BN_DOUBLECLICKED, // double click on an owner-drawn button
    CBN_SELCHANGE,    // the user changed a combo box's selection (never a programmatic change)
    EN_CHANGE,        // an edit's text changed, programmatically too, but not to the same text
    WM_COMMAND_MENU,  // a menu command, by its id
};
