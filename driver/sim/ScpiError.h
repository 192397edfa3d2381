#pragma once
// The instrument's error entries: the code and text it puts into its error queue.

#include <cstdint>

namespace tarvexsim
{
struct SScpiError
{
    int32_t nCode;
    const char* pszText;
};

inline constexpr SScpiError kMissingParameter{-109, "Missing parameter"};
inline constexpr SScpiError kUndefinedHeader{-113, "Undefined header"};
inline constexpr SScpiError kDataOutOfRange{-222, "Data out of range"};
inline constexpr SScpiError kIllegalParameter{-224, "Illegal parameter value"};
inline constexpr SScpiError kDataStale{-230, "Data corrupt or stale"};
inline constexpr SScpiError kQueueOverflow{-350, "Queue overflow"};
inline constexpr SScpiError kQueryInterrupted{-410, "Query INTERRUPTED"};
// The code of an error injected by a fault (its text is the fault's own).
inline constexpr int32_t kInjectedErrorCode = -200;
} // namespace tarvexsim
