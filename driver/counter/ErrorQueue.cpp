#include "ErrorQueue.h"

#include "ScpiFormat.h"

namespace tarvexsim
{
void CErrorQueue::Push(int32_t nCode, std::string_view text)
{
    if (m_entries.size() < kCapacity)
        m_entries.push_back({nCode, std::string(text)});
    else
        m_entries.back() = {scpi::kQueueOverflow.nCode, scpi::kQueueOverflow.pszText};
}

std::optional<SErrorEntry> CErrorQueue::Pop()
{
    if (m_entries.empty())
        return std::nullopt;
    SErrorEntry entry = std::move(m_entries.front());
    m_entries.pop_front();
    return entry;
}

std::string CErrorQueue::Format(int32_t nCode, std::string_view text)
{
    return CScpiFormat::Integer(nCode) + ",\"" + std::string(text) + "\"";
}
} // namespace tarvexsim
