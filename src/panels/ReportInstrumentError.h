#pragma once
// Turns the status of a failed session call into the operator's message boxes: the instrument's error
// queue one box per entry, a time-out, or a general error. The update timer is stopped for the report.

#include <cstdint>

class CInstrumentSession;
class IUpdateTimer;

// The timer restarts at this period after a report.
inline constexpr int kReportTimerRestartMilliseconds = 300;
// At most this many queue entries get a beep and a box per report; when the queue holds more (a driver
// whose queue never empties), one more box says that further errors were not shown.
inline constexpr int kMaxReportedInstrumentErrors = 10;
inline constexpr const char* kFurtherErrorsNotShown = "Further instrument errors were not shown.";

void ReportInstrumentError(CInstrumentSession& session, IUpdateTimer& timer, int32_t nStatus);
