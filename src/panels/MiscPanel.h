#pragma once
// The Misc panel: the driver's time-out, the aperture, the frequency range, the reference oscillator
// source, a bus trigger and the abort of the running measurement.

#include "PanelController.h"
#include "PanelDialog.h"

class CMiscController : public CPanelController
{
public:
    int CreatePanel(const QPoint& position, IPanelFrame* pParent) override;
    void Refresh(CDialog* pPanel) override;
};
