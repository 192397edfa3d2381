#pragma once
// The Event Trig panel: trigger level, relative level, automatic triggering, slope and hysteresis of each
// of the two input channels, with the level texts checked while they are typed.

#include "ChannelChoice.h"
#include "PanelController.h"
#include "PanelDialog.h"
#include "res/ControlIds.h"

#include "framework/MessageMap.h"

#include <array>
#include <memory>
#include <string>

class CPanelFrame;
class CToggleButton;

class CEventTrigController : public CPanelController
{
public:
    using CPanelController::CPanelController;
    void CreatePanel(const QPoint& position) override;
    void Refresh(CDialog* pPanel) override;

private:
    // The panel's dialog shows and changes the channel.
    friend class CEventTrigDlg;

    CChannelChoice m_channels; // kept while the panel is hidden
};

// The panel's dialog (template 114). Radio buttons and the slope toggle send as soon as they are clicked;
// a level is sent by its Send button, enabled only while its edit holds an acceptable text. Except for
// the channel change, whose refresh reports, the handlers let a session failure end them silently.
class CEventTrigDlg : public CPanelDialog
{
public:
    // The ids of the template's controls.
    using EControlId = res::event_trig::EControlId;
    using enum res::event_trig::EControlId;

    CEventTrigDlg(const QPoint& position, CEventTrigController* pController);
    ~CEventTrigDlg() override;

    // The whole panel from the instrument: the channel toggle (disabled under Auto Update Mode), slope,
    // automatic trigger, hysteresis and both levels. A session failure escapes, leaving the rest as it was.
    void ReadInstrument(int nChannel, bool bAutoUpdate);

    // Re-reads slope, automatic trigger and hysteresis after the operator has changed something.
    void UpdateFromInstrument();

private:
    static const SMessageEntry<CEventTrigDlg> s_messageMap[];

    void OnInitDialog() override;
    void OnChannel();
    void OnSlope();
    template <int nCtrlId> void OnSenseRadio();
    void OnOnce();
    void OnQuery();
    template <int nEditId> void OnSendLevel();
    template <int nEditId> void OnLevelChange();

    int Channel() const;
    void ShowAutoTrigger(const std::string& reply);
    void ShowHysteresis(const std::string& reply);
    void CheckRadio(int nFirstId, int nLastId, int nCheckId);

    std::unique_ptr<CToggleButton> m_pChannelToggle;
    std::unique_ptr<CToggleButton> m_pSlopeToggle;
    std::unique_ptr<CPanelFrame> m_pFrame;
};
