#pragma once
// The controller of one panel: lives as long as the frame, keeps what must outlive the panel's dialog,
// and creates, refreshes and destroys that dialog when the frame asks.

#include <QPoint>

class CDialog;
class IPanelFrame;

class CPanelController
{
public:
    virtual ~CPanelController() = default;

    // Creates the panel dialog at the position in the frame's client area and keeps it in m_pPanel.
    virtual void CreatePanel(const QPoint& position, IPanelFrame* pParent) = 0;
    // Reads the instrument into the dialog; a session failure is reported here and sets m_bRefreshFailed.
    virtual void Refresh(CDialog* pPanel) = 0;
    // Destroys the panel's window; the dialog then nulls m_pPanel and deletes itself.
    virtual void DestroyPanel();
    virtual void OnTimerTick() {}
    virtual CDialog* GetPanel() { return m_pPanel; }

    CDialog* m_pPanel = nullptr;
    int m_bRefreshFailed = 0;
};

// Indices of the six controllers in the frame.
enum EPanelIndex
{
    PANEL_MEASURE = 0,
    PANEL_EVENT_TRIG = 1,
    PANEL_INPUT_CONFIG = 2,
    PANEL_ARM = 3,
    PANEL_MISC = 4,
    PANEL_OUTPUT_CONFIG = 5,
    PANEL_COUNT = 6,
};
