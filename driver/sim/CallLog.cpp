#include "CallLog.h"

namespace tarvexsim
{
void CCallLog::OpenTrace(const std::string& path)
{
    CloseTrace();
    if (!path.empty())
        m_pTrace = std::fopen(path.c_str(), "a");
}

void CCallLog::CloseTrace()
{
    if (m_pTrace)
        std::fclose(m_pTrace);
    m_pTrace = nullptr;
}

void CCallLog::Add(const std::string& line)
{
    m_lines.push_back(line);
    if (Count() > kMaxLines)
        m_lines.pop_front();
    if (m_pTrace)
    {
        std::fprintf(m_pTrace, "%s\n", line.c_str());
        std::fflush(m_pTrace); // a trace must survive a program that dies
    }
}

const char* CCallLog::Line(int nIndex) const
{
    if (nIndex < 0 || nIndex >= Count())
        return nullptr;
    return m_lines[static_cast<size_t>(nIndex)].c_str();
}
} // namespace tarvexsim
