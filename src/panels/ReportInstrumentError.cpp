#include "ReportInstrumentError.h"

#include "UpdateTimer.h"

#include "framework/MessageService.h"
#include "instrument/InstrumentSession.h"

#include <cstdio>
#include <string>

namespace
{
constexpr unsigned kDefaultBeep = 0;

// The instrument's error text behind the report's prefix, in a string sized to hold all of it.
std::string ComposeInstrumentError(const std::string& errorText)
{
    constexpr const char* kFormat = "Intrument reports error: %s";
    const int nLength = std::snprintf(nullptr, 0, kFormat, errorText.c_str());
    std::string text(static_cast<std::size_t>(nLength), '\0');
    // The string's own terminating NUL takes the one snprintf writes.
    std::snprintf(text.data(), text.size() + 1, kFormat, errorText.c_str());
    return text;
}

// One beep and one box per queue entry, in the instrument's order, until the queue is empty or the bound
// is reached.
void ReportErrorQueue(CInstrumentSession& session)
{
    std::string errorText;
    for (int nReported = 0;; ++nReported)
    {
        session.ErrorQuery(errorText);
        if (errorText.empty())
            return;
        if (nReported == kMaxReportedInstrumentErrors)
        {
            AppMessageBox(kFurtherErrorsNotShown);
            return;
        }
        MessageService().MessageBeep(kDefaultBeep);
        AppMessageBox(ComposeInstrumentError(errorText));
    }
}
} // namespace

void ReportInstrumentError(CInstrumentSession& session, IUpdateTimer& timer, int32_t nStatus)
{
    timer.StopUpdateTimer();
    switch (CInstrumentSession::FailureKindOf(nStatus))
    {
    case EFailureKind::InstrumentError:
        session.DeviceClear();
        ReportErrorQueue(session);
        break;
    case EFailureKind::TimeOut:
        session.DeviceClear();
        AppMessageBox("TIME OUT!");
        break;
    case EFailureKind::General:
        AppMessageBox("General error, possible reentry");
        break;
    }
    timer.StartUpdateTimer(kReportTimerRestartMilliseconds);
}
