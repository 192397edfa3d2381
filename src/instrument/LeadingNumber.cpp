#include "instrument/LeadingNumber.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <clocale>
#include <cstdlib>

namespace
{
bool IsSpace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// A number beyond the range of a double: the C library gives infinity or zero, as it does for any text.
// The number is well formed here, so only its point needs the locale's own separator.
double OutOfRangeValue(const char* pBegin, const char* pEnd)
{
    std::string number(pBegin, pEnd);
    const std::size_t nPoint = number.find('.');
    if (nPoint != std::string::npos)
    {
        number.replace(nPoint, 1, std::localeconv()->decimal_point);
    }
    return std::strtod(number.c_str(), nullptr);
}
} // namespace

int LeadingInteger(const std::string& text)
{
    const long nValue = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(nValue, INT_MIN, INT_MAX));
}

double LeadingDouble(const std::string& text)
{
    const char* pBegin = text.c_str();
    const char* pEnd = pBegin + text.size();
    while (pBegin != pEnd && IsSpace(*pBegin))
    {
        ++pBegin;
    }
    bool bNegative = false;
    if (pBegin != pEnd && (*pBegin == '+' || *pBegin == '-'))
    {
        bNegative = *pBegin == '-';
        ++pBegin;
    }
    // from_chars takes a minus sign of its own; a second sign is no number.
    if (pBegin == pEnd || *pBegin == '+' || *pBegin == '-')
    {
        return 0.0;
    }
    double dValue = 0.0;
    const auto [pStop, error] = std::from_chars(pBegin, pEnd, dValue, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
    {
        dValue = OutOfRangeValue(pBegin, pStop);
    }
    else if (error != std::errc())
    {
        return 0.0;
    }
    return bNegative ? -dValue : dValue;
}
