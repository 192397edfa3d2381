#pragma once
// The Measure panel: the channel and function choice, the function's parameters, the configuration sent
// to the counter, and the readings (Read, the Initiate cycle polled on the frame's timer, totalize and Auto
// Update Mode). The controller keeps everything the operator entered and the last reading, so they survive
// panel switches; the dialog exists while the panel is shown.

#include "PanelController.h"
#include "PanelDialog.h"

#include "framework/WinTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CMeasureDlg;
class CPanelFrame;
class CReadingDisplay;
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

    std::uint8_t GetCycle() const { return m_nCycle; }
    void SetCycle(std::uint8_t nCycle) { m_nCycle = nCycle; }

    int m_bContinuous = 0;
    int m_nCtrlId;
    int m_nFunction = 0;
    std::uint8_t m_nCycle = 0; // 0 idle, 1 waiting for a reading, 2 totalize started, 3 totalizing
    std::array<std::array<std::string, 4>, 13> m_aParams; // per function: expected, resolution, lower, upper
};

class CMeasureController : public CPanelController
{
public:
    explicit CMeasureController(IPanelFrame* pFrame);
    ~CMeasureController() override;

    int CreatePanel(const QPoint& position, IPanelFrame* pParent) override;
    void Refresh(CDialog* pPanel) override;
    void OnTimerTick() override;

    int GetChannelNumber() const; // 1, 2 or 3
    CMeasureChannel* GetCurrentChannel() const { return m_pChannel; }
    void SetAutoUpdate(int bAutoUpdate) { m_bAutoUpdate = bAutoUpdate; }
    void ResetCycles();
    void RequestFirstRefresh() { m_bFirstRefresh = 1; }
    void ClearReading();
    // Hands a reading obtained for the display to the stream of readings, with the channel, the function's
    // label and its unit.
    void PublishReading(const std::string& text);

    IPanelFrame* m_pFrame;
    int m_bAutoUpdate = 0;
    CMeasureChannel* m_pChannel;
    std::array<std::unique_ptr<CMeasureChannel>, 3> m_apChannels;
    std::string m_strReading = " ";
    std::string m_strUnitText = " ";
    int m_bFirstRefresh = 1;

private:
    CMeasureDlg* Dialog() const;
    void RestorePowerOnSetup(CMeasureDlg& dialog);
    void ReadInstrument(CMeasureDlg& dialog, int nChannel);
    void AutoUpdate(int nChannel);
    void PollCycle(int nChannel);
    void FetchCycleReading(int nChannel, bool bAdvanceWithoutPanel);
};

// The Measure panel's dialog (template 104): the header with the lamp and slot, the reading and unit
// displays, and the controls for channel, function, parameters and readings.
class CMeasureDlg : public CPanelDialog
{
public:
    enum EControlId
    {
        IDC_INDICATOR = 1005,
        IDC_SLOT = 1006,
        IDC_HEADER = 1007,
        IDC_READING = 1015,
        IDC_UNITS = 1016,
        IDC_FUNCTION = 1019,
        IDC_INITIATE = 1021,
        IDC_LOWER_FRAME = 1025,
        IDC_LOGO_MARK = 1027,
        IDC_EMBLEM_MARK = 1029,
        IDC_CHANNEL_1 = 1061,
        IDC_CHANNEL_2 = 1062,
        IDC_CHANNEL_3 = 1063,
        IDC_EXPECTED = 1071,
        IDC_START_IMM = 1072,
        IDC_RESOLUTION = 1116,
        IDC_LOWER_REF = 1117,
        IDC_UPPER_REF = 1118,
        IDC_SEND_CONFIG = 1119,
        IDC_FETCH = 1120,
        IDC_READ = 1143,
        IDC_NAME_MARK = 1172,
        IDC_SLOT_MARK = 1173,
        IDC_STOP_IMM = 1174,
    };

    // The header's background: red 64, green 128, blue 128.
    static constexpr COLORREF kHeaderColour = RGB(64, 128, 128);

    CMeasureDlg(const QPoint& position, IPanelFrame* pParent, CMeasureController* pController);

    void LockControls(); // the setting, send, initiate, channel and function controls
    void UnlockControls();
    void UnlockAfterCycle();     // unlocks unless continuous initiation holds the lock
    void ShowFunctionControls(); // takes the chosen function from the combo box
    void ShowUnits();
    void SendConfig();
    void ShowReading(const std::string& text);
    void ShowUnitText(const std::string& text);

    framework::CDialogControls& Controls() { return m_controls; }
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
    template <int nSelector> void OnArmImmediate() { ArmImmediate(nSelector); }
    void ArmImmediate(int nSelector);
    void OnInitiate();
    void OnRead();
    void OnFetch();

    static const SMessageEntry<CMeasureDlg> kMessageMap[];

    CPanelFrame* m_pLowerFrame;
    CReadingDisplay* m_pUnits;
    CReadingDisplay* m_pReading;
    CPanelFrame* m_pHeaderFrame;
    CReadingDisplay* m_pSlot;
};
