#include "ScpiFormat.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace tarvexsim
{
std::string CScpiFormat::Real(double dValue, int nDecimals)
{
    // The instrument's own answer for a value it cannot show.
    if (!std::isfinite(dValue))
        return "+9.91000E+37";
    char szBuffer[64];
    const auto result =
        std::to_chars(szBuffer, szBuffer + sizeof szBuffer, dValue, std::chars_format::scientific, nDecimals);
    std::string text(szBuffer, result.ptr);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (text.front() != '-')
        text.insert(text.begin(), '+');
    return text;
}

std::string CScpiFormat::Integer(long long nValue)
{
    return (nValue < 0 ? "" : "+") + std::to_string(nValue);
}

std::string CScpiFormat::General(double dValue)
{
    char szBuffer[64];
    const auto result =
        std::to_chars(szBuffer, szBuffer + sizeof szBuffer, dValue, std::chars_format::general, 6);
    return std::string(szBuffer, result.ptr);
}
} // namespace tarvexsim
