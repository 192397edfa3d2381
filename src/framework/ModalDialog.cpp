#include "ModalDialog.h"

#include "ModalScript.h"

#include <QLineEdit>
#include <QTimer>

namespace
{
// As the dialog manager does when a dialog opens: the focus goes to the first control the Tab key reaches,
// and an edit gets it with its whole text selected, so that typing replaces the text. (Tab itself selects
// an edit's text in Qt as on Windows.)
void FocusFirstTabStop(QDialog& dialog)
{
    for (QWidget* pControl = dialog.nextInFocusChain(); pControl != &dialog;
         pControl = pControl->nextInFocusChain())
    {
        if (dialog.isAncestorOf(pControl) && (pControl->focusPolicy() & Qt::TabFocus) &&
            pControl->isEnabled() && pControl->isVisibleTo(&dialog))
        {
            pControl->setFocus(Qt::TabFocusReason);
            if (auto* pEdit = qobject_cast<QLineEdit*>(pControl))
            {
                pEdit->selectAll();
            }
            return;
        }
    }
}
} // namespace

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
        m_controls.Connect(BN_CLICKED, IDOK, [this] { OnOK(); });
        m_controls.Connect(BN_CLICKED, IDCANCEL, [this] { OnCancel(); });
    }
    DispatchHandler([this] { OnInitDialog(); });
    if (m_bEnded)
    {
        return m_nResult;
    }
    FocusFirstTabStop(*this);
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
