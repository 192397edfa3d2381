#pragma once
// The Output Config panel: trigger line 0 and the internal timebase output.

#include "PanelController.h"
#include "PanelDialog.h"

class COutputConfigController : public CPanelController
{
public:
    int CreatePanel(const QPoint& position, IPanelFrame* pParent) override;
    void Refresh(CDialog* pPanel) override;
};
