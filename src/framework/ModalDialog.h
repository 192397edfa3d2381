#pragma once
// A modal dialog from a template. DoModal builds the controls, runs OnInitDialog and then the modal loop,
// and returns IDOK or IDCANCEL. Button 1 is OK, button 2 Cancel; Escape and closing the window cancel.
// Tests drive it through a script that runs inside the dialog's own modal loop (ModalScript.h).

#include "DialogControls.h"

#include <QDialog>

class CModalDialog : public QDialog
{
public:
    CModalDialog(const SDialogTemplate& dialogTemplate, QWidget* pParent);

    int DoModal();
    void EndDialog(int nResult); // may be called from OnInitDialog: DoModal then returns at once

    CDialogControls& Controls() { return m_controls; }

protected:
    virtual void OnInitDialog() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    void reject() override; // Escape and the window's close button

    CDialogControls m_controls;

private:
    const SDialogTemplate& m_template;
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
};
