#pragma once
// The error numbers and texts of the counter's error queue, as SCPI defines them.

#include <cstdint>

namespace scpi
{
struct SScpiError
{
    int32_t nCode;
    const char* pszText;
};

inline constexpr SScpiError kCommandError{-100, "Command error"};
inline constexpr SScpiError kInvalidCharacter{-101, "Invalid character"};
inline constexpr SScpiError kSyntaxError{-102, "Syntax error"};
inline constexpr SScpiError kDataTypeError{-104, "Data type error"};
inline constexpr SScpiError kParameterNotAllowed{-108, "Parameter not allowed"};
inline constexpr SScpiError kMissingParameter{-109, "Missing parameter"};
inline constexpr SScpiError kUndefinedHeader{-113, "Undefined header"};
inline constexpr SScpiError kHeaderSuffixOutOfRange{-114, "Header suffix out of range"};
inline constexpr SScpiError kInvalidStringData{-151, "Invalid string data"};
inline constexpr SScpiError kDataOutOfRange{-222, "Data out of range"};
inline constexpr SScpiError kIllegalParameter{-224, "Illegal parameter value"};
inline constexpr SScpiError kDataStale{-230, "Data corrupt or stale"};
inline constexpr SScpiError kHardwareMissing{-241, "Hardware missing"};
inline constexpr SScpiError kSelfTestFailed{-330, "Self-test failed"};
inline constexpr SScpiError kQueueOverflow{-350, "Queue overflow"};
inline constexpr SScpiError kInputBufferOverrun{-363, "Input buffer overrun"};
inline constexpr SScpiError kQueryInterrupted{-410, "Query INTERRUPTED"};

// The bit of the standard event status register that an error of this code sets: command errors (-1xx),
// execution errors (-2xx), device-specific errors (-3xx) and query errors (-4xx); 0 for other codes.
constexpr int EventStatusBitOf(int32_t nCode)
{
    if (nCode <= -100 && nCode > -200)
        return 0x20;
    if (nCode <= -200 && nCode > -300)
        return 0x10;
    if (nCode <= -300 && nCode > -400)
        return 0x08;
    if (nCode <= -400 && nCode > -500)
        return 0x04;
    return 0;
}
} // namespace scpi
