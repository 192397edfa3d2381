#include "instrument/ReportInstrumentError.h"

#include "framework/MessageService.h"
#include "instrument/InstrumentSession.h"
#include "instrument/UpdateTimer.h"
#include "instrument/abi/TarvexAbi.h"

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
        {
            return;
        }
        if (nReported == kMaxReportedInstrumentErrors)
        {
            framework::AppMessageBox(kFurtherErrorsNotShown);
            return;
        }
        framework::MessageService().MessageBeep(kDefaultBeep);
        framework::AppMessageBox(ComposeInstrumentError(errorText));
    }
}
} // namespace

void ReportInstrumentError(CInstrumentSession& session, IUpdateTimer& timer, int32_t nStatus)
{
    timer.StopUpdateTimer();
    if (nStatus == TARVEX_INSTR_ERROR_DETECTED)
    {
        session.DeviceClear();
        ReportErrorQueue(session);
    }
    else if (nStatus == VI_ERROR_TMO)
    {
        session.DeviceClear();
        framework::AppMessageBox("TIME OUT!");
    }
    else
    {
        framework::AppMessageBox("General error, possible reentry");
    }
    timer.StartUpdateTimer(kReportTimerRestartMilliseconds);
}
