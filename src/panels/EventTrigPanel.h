#pragma once
// The Event Trig panel: trigger level, relative level, automatic triggering, slope and hysteresis of each
// of the two input channels, with the level texts checked while they are typed.

#include "PanelController.h"
#include "PanelDialog.h"

class CEventTrigController : public CPanelController
{
public:
    int CreatePanel(const QPoint& position, IPanelFrame* pParent) override;
    void Refresh(CDialog* pPanel) override;
};
