#pragma once
// Turns the status of a failed session call into the operator's message boxes: the instrument's error
// queue one box per entry, a time-out, or a general error. The update timer is stopped for the report.

#include <cstdint>

class CInstrumentSession;
class IUpdateTimer;

// The timer restarts at this period after a report.
inline constexpr int kReportTimerRestartMilliseconds = 300;
// A driver whose error queue never empties gets at most this many boxes per report.
inline constexpr int kMaxReportedInstrumentErrors = 100;

void ReportInstrumentError(CInstrumentSession& session, IUpdateTimer& timer, int32_t nStatus);
