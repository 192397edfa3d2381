#pragma once
// A small display on an owner-drawn button: a rectangle with a 2-pixel bevel, filled with its own
// background colour, showing one line of text centred in its own text colour. Setting the text paints at
// once, so readings taken inside timer work show before the next paint message. Clicks still reach the
// parent as ordinary button notifications.

#include "AccessibleFace.h"

#include "framework/Button.h"

#include <string>

class CReadingDisplay : public CButton, public IAccessibleFace
{
    Q_OBJECT

public:
    enum EBorder
    {
        BORDER_RAISED = 0,
        BORDER_SUNKEN = 1,
        BORDER_FLAT = 2,
    };

    CReadingDisplay(int nBorder, COLORREF crBack, COLORREF crText);

    // Stores the text and repaints the control at once.
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_strText; }

    QAccessible::Role AccessibleRole() const override { return QAccessible::Button; }
    QString AccessibleName() const override { return QString::fromLatin1(m_strText); }
    QString AccessibleValue() const override { return AccessibleName(); }

protected:
    void DrawItem(CDC& dc, const CRect& rcItem) override;

private:
    int m_nBorder;
    std::string m_strText;
    COLORREF m_crBack;
    COLORREF m_crText;
};
