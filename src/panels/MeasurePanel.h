#pragma once
// The Measure panel: the channel and function choice, the function's parameters, the configuration sent
// to the counter, and the readings (Read, the Initiate cycle polled on the frame's timer, totalize and Auto
// Update Mode). The controller keeps everything the operator entered and the last reading, so they survive
// panel switches; the dialog exists while the panel is shown.

#include "PanelController.h"
#include "PanelDialog.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CMeasureDlg;

// One input channel's state as the Measure panel keeps it.
class CMeasureChannel
{
public:
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

    IPanelFrame* m_pFrame;
    int m_bAutoUpdate = 0;
    CMeasureChannel* m_pChannel;
    std::array<std::unique_ptr<CMeasureChannel>, 3> m_apChannels;
    std::string m_strReading = " ";
    std::string m_strUnitText = " ";
    int m_bFirstRefresh = 1;
};
