#pragma once
// The Input Config panel: attenuation, coupling, impedance and routing of each input channel, one
// toggle button per setting, sent as soon as it is clicked.

#include "PanelController.h"
#include "PanelDialog.h"

class CInputConfigController : public CPanelController
{
public:
    int CreatePanel(const QPoint& position, IPanelFrame* pParent) override;
    void Refresh(CDialog* pPanel) override;
};
