#pragma once
// The panels' two-state switch: an owner-drawn push button that keeps a state of 0 or 1, looks raised in
// state 0 and pressed in in state 1, and shows one caption per state. The state flips when the left
// button goes down on it (a double click flips it again), and on a click from the space bar or the
// accessibility Press action, so the panel's click handler reads the new state. A press released outside
// clicks nothing and flips the state back.

#include "AccessibleFace.h"

#include "framework/Button.h"

#include <string>

class CToggleButton : public CButton, public IAccessibleFace
{
    Q_OBJECT

public:
    // The captions of state 0 and state 1 come from the string table.
    CToggleButton(int nCaption0Id, int nCaption1Id);

    int GetState() const { return m_nState; }
    // Any nonzero value is state 1. Repaints at once.
    void SetState(int nState);

    // The caption drawn now: the control's own text when the state-0 caption is empty, else the caption
    // of the current state.
    std::string Caption() const;

    QAccessible::Role AccessibleRole() const override { return QAccessible::Button; }
    QString AccessibleName() const override;
    void AddAccessibleState(QAccessible::State& state) const override;

protected:
    void DrawItem(CDC& dc, const CRect& rcItem) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void nextCheckState() override; // every click, before its notification

private:
    void StoreState(int nState);

    int m_nState = 0;
    bool m_bFlippedByPress = false; // the left button went down on it, and no click has followed yet
    std::string m_strCaption0;
    std::string m_strCaption1;
};
