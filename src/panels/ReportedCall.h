#pragma once
// Runs panel work that calls the session, for the places that report a failure: a CUserException from
// the session ends the work and goes to the error report (ReportSessionFailure).

#include "PanelHost.h"

#include "framework/base/UserException.h"

#include <utility>

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
