#pragma once
// The Measure panel: the channel and function choice, the function's parameters, the configuration sent
// to the counter, and the readings (Read, the Initiate cycle polled on the frame's timer, totalize and Auto
// Update Mode). The controller keeps everything the operator entered and the last reading, so they survive
// panel switches; the dialog exists while the panel is shown.

#include "PanelController.h"
#include "PanelDialog.h"
#include "PanelHost.h"
#include "res/ControlIds.h"

#include "framework/WinTypes.h"
#include "instrument/Selectors.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CMeasureDlg;
class CPanelFrame;
class CReadingDisplay;
class CRoundIndicator;
class QPaintEvent;

// One input channel's state as the Measure panel keeps it.
class CMeasureChannel
{
public:
    // States of the Initiate cycle.
    enum ECycle : std::uint8_t
    {
        CYCLE_IDLE = 0,
        CYCLE_WAITING = 1,          // waiting for the instrument's reading
        CYCLE_TOTALIZE_STARTED = 2, // the first total is still to be shown
        CYCLE_TOTALIZING = 3,       // counting; the newest total is shown on request
    };

    explicit CMeasureChannel(int nCtrlId);

    ECycle GetCycle() const { return m_nCycle; }
    void SetCycle(ECycle nCycle) { m_nCycle = nCycle; }

    bool m_bContinuous = false;
    int m_nCtrlId;
    int m_nFunction = 0;
    std::array<std::array<std::string, 4>, 13> m_aParams; // per function: expected, resolution, lower, upper

private:
    ECycle m_nCycle = CYCLE_IDLE;
};

class CMeasureController : public CPanelController, public IMeasurement
{
public:
    explicit CMeasureController(IPanelFrame* pFrame);
    ~CMeasureController() override;

    void CreatePanel(const QPoint& position, IPanelFrame* pParent) override;
    void Refresh(CDialog* pPanel) override;
    void OnTimerTick() override;

    // IMeasurement
    int GetChannelNumber() const override; // 1, 2 or 3
    bool IsCycleRunning() const override;
    void EndCycle() override;
    // Hands a reading obtained for the display to the stream of readings, with the channel, the function's
    // label and its unit.
    void PublishReading(const std::string& text);

    CMeasureChannel* GetCurrentChannel() const { return m_pChannel; }
    void SelectChannel(int nIndex); // 0, 1 or 2; the reading shown belongs to the channel left, so it goes
    void ResetCycles();
    void RequestFirstRefresh() { m_bFirstRefresh = true; }
    void ClearReading();
    const std::string& GetReading() const { return m_strReading; }
    const std::string& GetUnitText() const { return m_strUnitText; }

private:
    // The panel's dialog keeps the reading, the unit text and the current channel's record up to date.
    friend class CMeasureDlg;

    CMeasureDlg* Dialog() const;
    void RestorePowerOnSetup(CMeasureDlg& dialog);
    // Refresh, reporting a failure or not: the refresh that ends the recovery after a reported failure
    // does not report a second one when the instrument is still failing.
    enum class EReport
    {
        Failure,
        Nothing,
    };
    void ReadPanel(CDialog* pPanel, EReport eReport);
    void ReadInstrument(CMeasureDlg& dialog, int nChannel);
    void AutoUpdate(int nChannel);
    void PollCycle(int nChannel);
    void FetchCycleReading(int nChannel, bool bAdvanceWithoutPanel);

    IPanelFrame* m_pFrame;
    CMeasureChannel* m_pChannel;
    std::array<std::unique_ptr<CMeasureChannel>, 3> m_apChannels;
    std::string m_strReading = " ";
    std::string m_strUnitText = " ";
    bool m_bFirstRefresh = true;
};

// The Measure panel's dialog (template 104): the header with the lamp and slot, the reading and unit
// displays, and the controls for channel, function, parameters and readings.
class CMeasureDlg : public CPanelDialog
{
public:
    using EControlId = res::measure::EControlId;
    using enum res::measure::EControlId;

    // The header's background: red 64, green 128, blue 128.
    static constexpr COLORREF kHeaderColour = RGB(64, 128, 128);

    CMeasureDlg(const QPoint& position, IPanelFrame* pParent, CMeasureController* pController);
    ~CMeasureDlg() override;

    void LockControls(); // the setting, send, initiate, channel and function controls
    void UnlockControls();
    void UnlockAfterCycle();     // unlocks unless continuous initiation holds the lock
    void ShowFunctionControls(); // takes the chosen function from the combo box
    void ShowUnits();
    void SendConfig();
    void ShowReading(const std::string& text);
    void ShowUnitText(const std::string& text);

    CDialogControls& Controls() { return m_controls; }
    const CReadingDisplay& ReadingDisplay() const { return *m_pReading; }
    const CReadingDisplay& UnitDisplay() const { return *m_pUnits; }
    const CReadingDisplay& SlotDisplay() const { return *m_pSlot; }

protected:
    void OnInitDialog() override;
    void OnPanelDestroyed() override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    CMeasureController& Controller() const;
    void EnableSettingControls(bool bEnable);
    void EditValue(int nParam);
    void EditReference(int nParam);
    void SelectChannel(int nIndex);

    void OnFunctionChange();
    void OnSendConfig();
    template <int nIndex> void OnChannel() { SelectChannel(nIndex); }
    template <int nParam> void OnEditValue() { EditValue(nParam); }
    template <int nParam> void OnEditReference() { EditReference(nParam); }
    template <EArmSelector eSelector> void OnArmImmediate() { ArmImmediate(eSelector); }
    void ArmImmediate(EArmSelector eSelector);
    void OnInitiate();
    void OnRead();
    void OnFetch();

    static const SMessageEntry<CMeasureDlg> s_messageMap[];

    std::unique_ptr<CPanelFrame> m_pLowerFrame;
    std::unique_ptr<CReadingDisplay> m_pUnits;
    std::unique_ptr<CReadingDisplay> m_pReading;
    std::unique_ptr<CPanelFrame> m_pHeaderFrame;
    std::unique_ptr<CReadingDisplay> m_pSlot;
    std::unique_ptr<CRoundIndicator> m_pLamp; // made when the dialog starts: it shows the live state then
};
