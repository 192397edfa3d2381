#pragma once
// A round lamp on an owner-drawn button: a raised ring with a coloured disc inside, on a rectangle of a
// second colour. It has no states: clicks, focus and the enabled state leave its look unchanged, and its
// colours are fixed when it is built.

#include "AccessibleFace.h"

#include "framework/Button.h"

class CRoundIndicator : public CButton, public IAccessibleFace
{
    Q_OBJECT

public:
    // The lamp colour is copied from *pcrLamp now; later changes of the source do not reach the lamp.
    CRoundIndicator(const COLORREF* pcrLamp, COLORREF crSurround);

    COLORREF LampColour() const { return m_crLamp; }
    COLORREF SurroundColour() const { return m_crSurround; }

    QAccessible::Role AccessibleRole() const override { return QAccessible::Indicator; }
    QString AccessibleName() const override { return QStringLiteral("Live indicator"); }

protected:
    void DrawItem(CDC& dc, const CRect& rcItem) override;

private:
    COLORREF m_crLamp;
    COLORREF m_crSurround;
};
