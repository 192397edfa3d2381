#pragma once
// The controller of one panel: lives as long as the frame, keeps what must outlive the panel's dialog,
// and creates, refreshes and destroys that dialog when the frame asks. It works with the context the frame
// hands it when it creates the controller.

#include "PanelContext.h"

#include <QPoint>

class CDialog;

class CPanelController
{
public:
    explicit CPanelController(const CPanelContext& context) : m_context(context) {}
    virtual ~CPanelController() = default;

    const CPanelContext& Context() const { return m_context; }

    // Creates the panel dialog at the position in the frame's client area and keeps it in m_pPanel.
    virtual void CreatePanel(const QPoint& position) = 0;
    // Reads the instrument into the dialog; a session failure is reported here and sets m_bRefreshFailed.
    virtual void Refresh(CDialog* pPanel) = 0;
    // Destroys the panel's window; the dialog then tells PanelDestroyed and deletes itself.
    virtual void DestroyPanel();
    virtual void OnTimerTick() {}
    virtual CDialog* GetPanel() { return m_pPanel; }

    bool HasRefreshFailed() const { return m_bRefreshFailed; }
    // The dialog's window is gone: the controller no longer has a panel.
    void PanelDestroyed(const CDialog* pPanel);

protected:
    // The body of a controller's Refresh: clears the failed flag, reads the instrument into the
    // controller's own dialog (of type TDlg), and on a session failure reports it and sets the flag. No
    // dialog, no reading.
    template <class TDlg, class F> void RefreshReportingFailure(CDialog* pPanel, F&& readInstrument)
    {
        m_bRefreshFailed = false;
        if (pPanel == nullptr)
            return;
        auto& dialog = static_cast<TDlg&>(*pPanel);
        m_bRefreshFailed = !m_context.CallReportingFailure([&] { readInstrument(dialog); });
    }

    CInstrumentSession& Session() const { return m_context.Session(); }

    const CPanelContext m_context;
    CDialog* m_pPanel = nullptr;
    bool m_bRefreshFailed = false;
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
