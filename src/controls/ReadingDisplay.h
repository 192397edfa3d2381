#pragma once
// A small display on an owner-drawn button: a rectangle with a 2-pixel bevel, filled with its own
// background colour, showing one line of text centred in its own text colour. Setting the text paints at
// once, so readings taken inside timer work show before the next paint message. Clicks, the space bar and
// Enter reach the parent as ordinary button notifications.

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

    // Assistive tools know the display by the accessible name its panel gives it, with its text as value:
    // a button, as a click on it does something, or read-only text after ShowAsText.
    void ShowAsText() { m_bText = true; }

    QAccessible::Role AccessibleRole() const override
    {
        return m_bText ? QAccessible::StaticText : QAccessible::Button;
    }
    QString AccessibleName() const override { return accessibleName(); }
    QString AccessibleValue() const override { return QString::fromLatin1(m_strText); }
    void AddAccessibleState(QAccessible::State& state) const override { state.readOnly = m_bText; }

protected:
    void DrawItem(CDC& dc, const CRect& rcItem) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    int m_nBorder;
    std::string m_strText;
    COLORREF m_crBack;
    COLORREF m_crText;
    bool m_bText = false;
};
