#include "LeadingNumber.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace framework
{
namespace
{
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Exponents beyond this are out of any double's reach; saturating keeps the arithmetic from overflowing.
constexpr long kExponentLimit = 100000;

struct SLeadingDouble
{
    double dValue;
    bool bNumber; // at least one digit was read
};

SLeadingDouble ScanLeadingDouble(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
    {
        ++i;
    }
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    {
        bNegative = text[i] == '-';
        ++i;
    }

    // The mantissa; nLead is the power of ten of its first nonzero digit, kept for a value out of range.
    const std::size_t nMantissa = i;
    std::size_t nDigits = 0;
    long nLead = 0;
    bool bSignificant = false;
    long nIntegerDigits = 0;
    while (i < text.size() && IsDigit(text[i]))
    {
        bSignificant = bSignificant || text[i] != '0';
        nIntegerDigits += bSignificant ? 1 : 0;
        ++nDigits;
        ++i;
    }
    nLead = nIntegerDigits - 1;
    if (i < text.size() && text[i] == '.')
    {
        ++i;
        long nPlace = -1;
        while (i < text.size() && IsDigit(text[i]))
        {
            if (!bSignificant && text[i] != '0')
            {
                bSignificant = true;
                nLead = nPlace;
            }
            --nPlace;
            ++nDigits;
            ++i;
        }
    }
    if (nDigits == 0)
    {
        return {0.0, false};
    }

    // The exponent counts only when at least one digit follows the E and its sign.
    long nExponent = 0;
    std::size_t nEnd = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
    {
        std::size_t j = i + 1;
        bool bNegativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
        {
            bNegativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j]))
        {
            while (j < text.size() && IsDigit(text[j]))
            {
                nExponent = std::min(kExponentLimit, nExponent * 10 + (text[j] - '0'));
                ++j;
            }
            nExponent = bNegativeExponent ? -nExponent : nExponent;
            nEnd = j;
        }
    }

    double dValue = 0.0;
    const auto result = std::from_chars(text.data() + nMantissa, text.data() + nEnd, dValue);
    if (result.ec == std::errc::result_out_of_range)
    {
        dValue = nLead + nExponent > 0 ? HUGE_VAL : 0.0;
    }
    return {bNegative ? -dValue : dValue, true};
}
} // namespace

double LeadingDouble(std::string_view text)
{
    return ScanLeadingDouble(text).dValue;
}

bool HasLeadingNumber(std::string_view text)
{
    return ScanLeadingDouble(text).bNumber;
}

int LeadingInteger(std::string_view text)
{
    const std::string terminated(text);
    const long nValue = std::strtol(terminated.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(nValue, INT_MIN, INT_MAX));
}
} // namespace framework
