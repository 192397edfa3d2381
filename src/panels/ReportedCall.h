#pragma once
// Runs panel work that calls the session, for the places that report a failure: a CUserException from
// the session ends the work and goes to the error report (ReportSessionFailure).

#include "PanelController.h"
#include "PanelHost.h"

#include "framework/UserException.h"

#include <utility>

class CDialog;

// True when the work completed, false when it failed and the failure was reported.
template <class F> bool CallReportingFailure(F&& work)
{
    try
    {
        std::forward<F>(work)();
        return true;
    }
    catch (const CUserException&)
    {
        ReportSessionFailure();
        return false;
    }
}

// The body of a controller's Refresh: clears the failed flag, reads the instrument into the controller's
// own dialog (of type TDlg), and on a session failure reports it and sets the flag. No dialog, no reading.
template <class TDlg, class F>
void RefreshReportingFailure(CPanelController& controller, CDialog* pPanel, F&& readInstrument)
{
    controller.m_bRefreshFailed = 0;
    if (pPanel == nullptr)
        return;
    auto& dialog = static_cast<TDlg&>(*pPanel);
    if (!CallReportingFailure([&] { readInstrument(dialog); }))
        controller.m_bRefreshFailed = 1;
}
