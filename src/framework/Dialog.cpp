#include "Dialog.h"

CDialog::CDialog(QWidget* pParent) : QWidget(pParent)
{
    setAutoFillBackground(true); // a dialog paints its own background, whatever lies beneath it
}

void CDialog::Create(const SDialogTemplate& dialogTemplate)
{
    m_controls.Build(this, dialogTemplate);
    DispatchHandler([this] { OnInitDialog(); });
    show();
    CDialogControls::FocusFirstTabStop(*this);
}

void CDialog::DestroyWindow()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    hide();
    DispatchHandler([this] { OnDestroy(); });
    deleteLater();
}
