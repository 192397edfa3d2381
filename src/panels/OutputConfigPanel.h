#pragma once
// The Output Config panel: trigger line 0 and the internal timebase output.

#include "PanelController.h"
#include "PanelDialog.h"
#include "res/ControlIds.h"

#include "framework/MessageMap.h"

#include <array>
#include <memory>

class CPanelFrame;
class CToggleButton;

class COutputConfigController : public CPanelController
{
public:
    using CPanelController::CPanelController;
    void CreatePanel(const QPoint& position) override;
    void Refresh(CDialog* pPanel) override;
};

// The panel's dialog (template 121): the "TTLTrg 0" check box and the timebase output toggle. Its click
// handlers do not report failures: a refused value stays shown until the next refresh.
class COutputConfigDlg : public CPanelDialog
{
public:
    // The ids of the template's controls.
    using EControlId = res::output_config::EControlId;
    using enum res::output_config::EControlId;

    COutputConfigDlg(const QPoint& position, COutputConfigController* pController);
    ~COutputConfigDlg() override;

    // Reads both outputs; a session failure escapes, leaving what is not read yet as it was.
    void ReadInstrument();

private:
    static const SMessageEntry<COutputConfigDlg> s_messageMap[];

    void OnInitDialog() override;
    void OnTriggerLine();
    void OnTimebase();

    std::unique_ptr<CPanelFrame> m_pFrame;
    std::unique_ptr<CToggleButton> m_pTimebase;
};
