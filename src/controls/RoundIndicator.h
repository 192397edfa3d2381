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

    // What the lamp tells, for assistive tools: its name, and whether that is an "on" condition, reported
    // as the checked state of a read-only check box, which screen readers speak.
    void DescribeAs(const QString& name, bool bOn);

    QAccessible::Role AccessibleRole() const override { return QAccessible::CheckBox; }
    QString AccessibleName() const override { return accessibleName(); }
    void AddAccessibleState(QAccessible::State& state) const override;

protected:
    void DrawItem(CDC& dc, const CRect& rcItem) override;

private:
    COLORREF m_crLamp;
    COLORREF m_crSurround;
    bool m_bOn = false;
};
