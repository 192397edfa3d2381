#pragma once
// A point in time a wait must end by, from a time-out in milliseconds.

#include <algorithm>
#include <chrono>

namespace lan
{
class CDeadline
{
public:
    explicit CDeadline(int nTimeoutMs)
        : m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(nTimeoutMs, 0)))
    {
    }
    // What is left, for poll(): 0 once passed.
    int RemainingMs() const
    {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(m_end - std::chrono::steady_clock::now());
        return static_cast<int>(std::max<long long>(left.count(), 0));
    }

private:
    std::chrono::steady_clock::time_point m_end;
};
} // namespace lan
