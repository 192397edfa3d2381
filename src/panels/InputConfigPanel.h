#pragma once
// The Input Config panel: attenuation, coupling, impedance and routing of each input channel, one
// toggle button per setting, sent as soon as it is clicked.

#include "ChannelChoice.h"
#include "PanelController.h"
#include "PanelDialog.h"
#include "PanelText.h"
#include "res/ControlIds.h"

#include "framework/MessageMap.h"
#include "instrument/Selectors.h"

#include <array>
#include <memory>
#include <string>

class CPanelFrame;
class CToggleButton;

class CInputConfigController : public CPanelController
{
public:
    using CPanelController::CPanelController;
    void CreatePanel(const QPoint& position) override;
    void Refresh(CDialog* pPanel) override;

private:
    // The panel's dialog shows and changes the channel.
    friend class CInputConfigDlg;

    CChannelChoice m_channels; // kept while the panel is hidden
};

// The panel's dialog (template 113): the channel toggle and the four setting toggles.
class CInputConfigDlg : public CPanelDialog
{
public:
    // The ids of the template's controls.
    using EControlId = res::input_config::EControlId;
    using enum res::input_config::EControlId;

    CInputConfigDlg(const QPoint& position, CInputConfigController* pController);
    ~CInputConfigDlg() override;

    // Shows the channel and reads its four settings into the toggles; a session failure leaves the
    // remaining toggles as they were and escapes to the caller.
    void ReadInstrument(int nChannel);

private:
    // One setting toggle: its control, the session's input selector, the texts sent in state 0 and 1,
    // the state a reply of the instrument shows, and whether the setting is always channel 1's.
    struct SSetting
    {
        int nCtrlId;
        EInputSelector eSelector;
        StateTexts sent;
        int (*pfnStateOf)(const std::string& reply);
        bool bChannel1Only;
        std::unique_ptr<CToggleButton> CInputConfigDlg::*pToggle;
    };
    static const std::array<SSetting, 4> s_settings; // in selector order
    static const SMessageEntry<CInputConfigDlg> s_messageMap[];

    void OnInitDialog() override;
    template <int nCtrlId> void OnSetting();
    void OnChannel();

    CInputConfigController& Controller() const;

    std::unique_ptr<CToggleButton> m_pAttenuation;
    std::unique_ptr<CToggleButton> m_pImpedance;
    std::unique_ptr<CToggleButton> m_pCoupling;
    std::unique_ptr<CToggleButton> m_pRouting;
    std::unique_ptr<CToggleButton> m_pChannel;
    std::unique_ptr<CPanelFrame> m_pFrame;
};
