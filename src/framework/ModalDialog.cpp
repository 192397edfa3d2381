#include "ModalDialog.h"

#include "ModalScript.h"

#include <QTimer>

CModalDialog::CModalDialog(const SDialogTemplate& dialogTemplate, QWidget* pParent)
    : QDialog(pParent), m_template(dialogTemplate)
{
}

int CModalDialog::DoModal()
{
    m_bEnded = false;
    m_nResult = IDCANCEL;
    if (!m_controls.SizeInPixels().isValid()) // the controls are built once, on the first showing
    {
        m_controls.Build(this, m_template);
        m_controls.Connect(
            BN_CLICKED, IDOK, [this] { OnOK(); });
        m_controls.Connect(BN_CLICKED, IDCANCEL, [this] { OnCancel(); });
    }
    DispatchHandler([this] { OnInitDialog(); });
    if (m_bEnded)
        return m_nResult;
    CDialogControls::FocusFirstTabStop(*this);
    if (ModalScript script = TakeModalScript())
    {
        // Runs once exec() has entered the dialog's own loop; whatever the script leaves open is cancelled,
        // so a test can never hang here.
        QTimer::singleShot(0, this,
                           [this, script]
                           {
                               DispatchHandler([&] { script(*this); });
                               if (!m_bEnded)
                               {
                                   EndDialog(IDCANCEL);
                               }
                           });
    }
    exec();
    return m_nResult;
}

void CModalDialog::EndDialog(int nResult)
{
    m_bEnded = true;
    m_nResult = nResult;
    done(nResult);
}

void CModalDialog::reject()
{
    DispatchHandler([this] { OnCancel(); });
}
