#pragma once
// The Measure panel: the channel and function choice, the function's parameters, the configuration sent
// to the counter, and the readings (Read, the Initiate cycle polled on the frame's timer, totalize and Auto
// Update Mode). The controller keeps everything the operator entered and the last reading, so they survive
// panel switches; the dialog exists while the panel is shown.

#include "PanelController.h"
#include "PanelDialog.h"
#include "res/ControlIds.h"

#include "framework/WinTypes.h"
#include "instrument/Selectors.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMeasureDlg;
class CPanelFrame;
class CReadingDisplay;
class CRoundIndicator;
class QPaintEvent;

namespace readings
{
class CReadingStream;
}

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
    int m_nFunction = 0; // the index in the function list; -1 while the list shows none
    // Per function of the list: expected value, resolution, lower and upper reference.
    std::vector<std::array<std::string, 4>> m_aParams;

private:
    ECycle m_nCycle = CYCLE_IDLE;
};

class CMeasureController : public CPanelController, public IMeasurement
{
public:
    // The readings shown are published to the stream; the slot is the instrument's as opened at start-up
    // (negative when unknown).
    CMeasureController(const CPanelContext& context, readings::CReadingStream& readings, int nSlot);
    ~CMeasureController() override;

    void CreatePanel(const QPoint& position) override;
    void Refresh(CDialog* pPanel) override;
    void OnTimerTick() override;

    // IMeasurement
    int GetChannelNumber() const override; // 1, 2 or 3
    bool IsCycleRunning() const override;
    void EndCycle() override;

    int GetInstrumentSlot() const { return m_nSlot; }
    CMeasureChannel* GetCurrentChannel() const { return m_pChannel; }
    void SelectChannel(int nIndex); // 0, 1 or 2; the reading shown belongs to the channel left, so it goes
    // The current channel's function, by its index in the list; -1 for none.
    void SetFunction(int nFunction) { m_pChannel->m_nFunction = nFunction; }
    void ResetCycles();
    void RequestFirstRefresh() { m_bFirstRefresh = true; }

    // A reading taken now: kept, shown on the panel when there is one, and published to the stream with
    // the channel, the function's label and its unit.
    void TakeReading(const std::string& text);
    // Keeps and shows a text in the reading's place that is no reading (blanks), so nothing is published.
    void ShowInPlaceOfReading(const std::string& text);
    void ClearReading();
    // While totalizing, the newest total the ticks fetched: shown, and published when it was not shown yet.
    void ShowNewestTotal();
    // The panel closes: the reading it shows is the one kept, also while totalizing, when a newer total
    // fetched but not shown is dropped.
    void KeepShownReading(const std::string& text) { m_strReading = text; }
    // A measurement failed (and was reported): the reading shown is no longer current, so it goes, and the
    // failure is published as a reading with an empty text, a gap in what the stream's sinks record.
    void MeasurementFailed();
    // After a reported failure: the panel shows what the instrument holds, without a second report.
    void ReadBackAfterFailure();
    // The unit of the current channel's function, kept and shown on the dialog.
    void ShowUnits(CMeasureDlg& dialog);
    const std::string& GetReading() const { return m_strReading; }
    const std::string& GetUnitText() const { return m_strUnitText; }

private:
    CMeasureDlg* Dialog() const;
    void PublishReading(const std::string& text);
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

    readings::CReadingStream& m_readings;
    int m_nSlot;
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

    CMeasureDlg(const QPoint& position, CMeasureController* pController);
    ~CMeasureDlg() override;

    void LockControls(); // the setting, send, initiate, channel and function controls
    void UnlockControls();
    void UnlockAfterCycle(); // unlocks unless continuous initiation holds the lock
    // The parameter buttons of a function, by its index in the list; nothing changes for -1.
    void ShowFunctionControls(int nFunction);
    // True unless the configuration was sent and failed (the failure is reported).
    bool SendConfig();
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
    void SendConfigShowingRefusal();
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
