#include "ReadingStream.h"

#include "ReadingSink.h"

#include <algorithm>

namespace readings
{
void CReadingStream::Subscribe(IReadingSink* pSink)
{
    if (std::ranges::find(m_apSinks, pSink) == m_apSinks.end())
        m_apSinks.push_back(pSink);
}

void CReadingStream::Unsubscribe(IReadingSink* pSink)
{
    const auto it = std::ranges::find(m_apSinks, pSink);
    if (it == m_apSinks.end())
        return;
    // During a delivery the list is being walked: leave a hole and close it when the walk ends.
    if (m_nDeliveries > 0)
        *it = nullptr;
    else
        m_apSinks.erase(it);
}

bool CReadingStream::HasSubscribers() const
{
    return std::ranges::any_of(
        m_apSinks, [](const IReadingSink* pSink) { return pSink != nullptr; });
}

void CReadingStream::Publish(int nChannel, std::optional<EMeasureFunction> function, std::string_view label,
                             std::string_view text, std::string_view unit, bool bLive)
{
    if (m_apSinks.empty())
        return;
    const auto now = std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
    const SReading reading = MakeReading(now, nChannel, function, label, text, unit, bLive);
    ++m_nDeliveries;
    // By index: a sink subscribed during the walk may grow the list; it waits for the next reading.
    const std::size_t nCount = m_apSinks.size();
    for (std::size_t i = 0; i < nCount; ++i)
        if (m_apSinks[i] != nullptr)
            m_apSinks[i]->OnReading(reading);
    if (--m_nDeliveries == 0)
        std::erase(m_apSinks, nullptr);
}
} // namespace readings
