#pragma once
// The Arm panel: source, level and slope of the start and the stop arm; locked while a measurement cycle
// of the Measure panel runs or Auto Update Mode is on.

#include "PanelController.h"
#include "PanelDialog.h"

class CArmController : public CPanelController
{
public:
    int CreatePanel(const QPoint& position, IPanelFrame* pParent) override;
    void Refresh(CDialog* pPanel) override;
};
