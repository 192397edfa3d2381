#pragma once
// The About box: the program's icon, name, version and the driver, firmware and KSL versions it needs.

#include "framework/ModalDialog.h"

class CAboutDlg : public CModalDialog
{
public:
    explicit CAboutDlg(QWidget* pParent);

protected:
    void OnInitDialog() override;
};
