#pragma once
// A modeless child dialog (a panel): a plain widget in its parent, so it has no default button and Enter
// and Escape do nothing. It deletes itself once its window has been destroyed.

#include "DialogControls.h"

#include <QWidget>

class CDialog : public QWidget
{
public:
    explicit CDialog(QWidget* pParent);

    // Builds the template's controls as children, runs OnInitDialog, shows the dialog and gives the focus to
    // its first tab stop. Called at the end of the most derived constructor, as the dialog's window is
    // created there.
    void Create(const SDialogTemplate& dialogTemplate);

    // Destroys the window: hides it, runs OnDestroy, and deletes the object once control returns to the
    // event loop (so a handler of this dialog on the stack never runs on a deleted object).
    void DestroyWindow();
    bool IsWindowDestroyed() const { return m_bDestroyed; }

protected:
    virtual void OnInitDialog() {}
    virtual void OnDestroy() {}

    CDialogControls m_controls;

private:
    bool m_bDestroyed = false;
};
