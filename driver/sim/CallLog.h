#pragma once
// The log of driver calls, one line per call in the order they ended: the newest lines kept in memory for
// tests (a bounded number, so that a simulator running for days does not grow), and every line appended
// to a trace file when one is named.

#include "TarvexSim.h"

#include <cstdio>
#include <deque>
#include <string>

namespace tarvexsim
{
class CCallLog
{
public:
    static constexpr int kMaxLines = TARVEXSIM_CALL_LOG_LINES;

    CCallLog() = default;
    ~CCallLog() { CloseTrace(); }
    CCallLog(const CCallLog&) = delete;
    CCallLog& operator=(const CCallLog&) = delete;

    // An empty path writes no file.
    void OpenTrace(const std::string& path);
    void Add(const std::string& line);
    void Clear() { m_lines.clear(); }
    int Count() const { return static_cast<int>(m_lines.size()); }
    const char* Line(int nIndex) const; // null when out of range

private:
    void CloseTrace();

    std::deque<std::string> m_lines;
    std::FILE* m_pTrace = nullptr;
};
} // namespace tarvexsim
