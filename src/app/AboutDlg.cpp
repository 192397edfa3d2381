#include "AboutDlg.h"

#include "res/Bitmaps.h"
#include "res/ControlIds.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <QLabel>

CAboutDlg::CAboutDlg(QWidget* pParent) : CModalDialog(*res::FindDialogTemplate(res::IDD_ABOUT), pParent) {}

void CAboutDlg::OnInitDialog()
{
    if (auto* pIcon = m_controls.ItemAs<QLabel>(res::about::IDC_ICON))
        pIcon->setPixmap(res::ProgramIcon().pixmap(pIcon->size()));
}
