#pragma once
// What every panel dialog shares: it is created as a child of the frame's client area, remembers the
// position it places itself at (one pixel below the point it was given) and its controller, whose context
// it works with, resizes the frame to itself, and when its window is destroyed stores what the controller
// keeps and clears the controller's panel pointer. Each panel performs the creation steps in its own order.

#include "framework/Dialog.h"

#include <QPoint>

class CInstrumentSession;
class CPanelContext;
class CPanelController;

class CPanelDialog : public CDialog
{
public:
    CPanelDialog(const QPoint& position, CPanelController* pController);

protected:
    const CPanelContext& Context() const;
    CInstrumentSession& Session() const;

    void PlaceAtPosition(); // moves to the stored position, keeping the size
    void ResizeFrame();     // the frame's client area ends where this panel ends

    // Runs when the window is destroyed, before the controller's panel pointer is cleared.
    virtual void OnPanelDestroyed() {}

    QPoint m_ptPosition;
    CPanelController* m_pController;

private:
    void OnDestroy() final;
};
