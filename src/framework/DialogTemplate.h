#pragma once
// Dialog templates as data: the numbered controls of a dialog, their kinds, captions, rectangles in
// dialog units and styles. The tables themselves live in res/; the framework builds widgets from them.

#include <initializer_list>
#include <vector>

enum class EControlKind
{
    Static,      // left-aligned text
    StaticRight, // right-aligned text
    FrameStatic, // black-frame static (a custom panel frame usually takes it over)
    GroupBox,    // captioned frame round a group of controls
    PushButton,
    DefPushButton,   // the default button of a modal dialog
    OwnerDrawButton, // a custom control takes it over
    AutoRadioButton,
    AutoCheckBox,
    Edit,          // single line, auto-scrolling, bordered
    DropDownCombo, // editable combo box
    DropDownList,  // combo box whose text is one of its items
};

// Style bits of a template control.
enum EControlStyle : unsigned
{
    CS_NONE = 0,
    CS_GROUP = 1u << 0,    // starts a new group (radio buttons are exclusive only within their group)
    CS_HIDDEN = 1u << 1,   // created invisible
    CS_DISABLED = 1u << 2, // created disabled
    CS_TABSTOP = 1u << 3,
    CS_VSCROLL = 1u << 4, // combo box list with a vertical scroll bar
    CS_SORTED = 1u << 5,  // combo box keeps its items sorted
    CS_HINT = 1u << 6,    // a static that tells what the field after it accepts: it describes that field,
                          // the static or group box before it names the field
};

struct SControlTemplate
{
    int nId; // IDC_STATIC (-1) when the control has none
    EControlKind kind;
    const char* pszCaption;                // never null; "" for none
    int x, y, cx, cy;                      // dialog units
    unsigned nStyle;                       // EControlStyle bits
    std::vector<const char*> initialItems; // combo boxes: items loaded at creation, in this order
};

struct SDialogTemplate
{
    int nId;
    int cx, cy;              // dialog units
    const char* pszTitle;    // "" for none
    bool bModal;             // a captioned modal dialog (else a child panel without caption)
    const char* pszFontFace; // "MS Sans Serif"
    int nPointSize;          // 8
    std::vector<SControlTemplate> controls;
};
