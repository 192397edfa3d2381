#pragma once
// The instrument's error queue: entries in the order they happened, at most kCapacity of them; when it is
// full the newest entry becomes "Queue overflow", as an instrument's queue does.

#include "ScpiError.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace tarvexsim
{
struct SErrorEntry
{
    int32_t nCode;
    std::string text;
};

class CErrorQueue
{
public:
    static constexpr size_t kCapacity = 30;

    void Push(int32_t nCode, std::string_view text);
    void Push(const scpi::SScpiError& error) { Push(error.nCode, error.pszText); }
    std::optional<SErrorEntry> Pop();
    bool IsEmpty() const { return m_entries.empty(); }
    void Clear() { m_entries.clear(); }

    // The entry as the instrument answers its error query: -222,"Data out of range"; +0,"No error".
    static std::string Format(int32_t nCode, std::string_view text);

private:
    std::deque<SErrorEntry> m_entries;
};
} // namespace tarvexsim
