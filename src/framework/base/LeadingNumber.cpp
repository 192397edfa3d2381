#include "LeadingNumber.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

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

// Skips blanks and an optional sign at i; true for a minus.
bool ScanSign(std::string_view text, std::size_t& i)
{
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    const bool bNegative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    return bNegative;
}

struct SMantissa
{
    std::size_t nDigits; // digits read, before and after the point
    long nLead;          // the power of ten of the first nonzero digit, kept for a value out of range
};

// Reads the digits, point and fraction digits at i.
SMantissa ScanMantissa(std::string_view text, std::size_t& i)
{
    std::size_t nDigits = 0;
    bool bSignificant = false;
    long nIntegerDigits = 0;
    while (i < text.size() && IsDigit(text[i]))
    {
        bSignificant = bSignificant || text[i] != '0';
        nIntegerDigits += bSignificant ? 1 : 0;
        ++nDigits;
        ++i;
    }
    long nLead = nIntegerDigits - 1;
    if (i < text.size() && text[i] == '.')
    {
        ++i;
        for (long nPlace = -1; i < text.size() && IsDigit(text[i]); --nPlace, ++nDigits, ++i)
        {
            if (!bSignificant && text[i] != '0')
            {
                bSignificant = true;
                nLead = nPlace;
            }
        }
    }
    return {nDigits, nLead};
}

// Reads an exponent at i, saturated at kExponentLimit. It counts, and i moves past it, only when at least
// one digit follows the E and its sign; otherwise the result is 0 and i stays.
long ScanExponent(std::string_view text, std::size_t& i)
{
    if (i >= text.size() || (text[i] != 'e' && text[i] != 'E'))
        return 0;
    std::size_t j = i + 1;
    const bool bNegative = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-'))
        ++j;
    if (j >= text.size() || !IsDigit(text[j]))
        return 0;
    long nExponent = 0;
    for (; j < text.size() && IsDigit(text[j]); ++j)
        nExponent = std::min(kExponentLimit, nExponent * 10 + (text[j] - '0'));
    i = j;
    return bNegative ? -nExponent : nExponent;
}

SLeadingDouble ScanLeadingDouble(std::string_view text)
{
    std::size_t i = 0;
    const bool bNegative = ScanSign(text, i);
    const std::size_t nMantissa = i;
    const SMantissa mantissa = ScanMantissa(text, i);
    if (mantissa.nDigits == 0)
        return {0.0, false};
    const long nExponent = ScanExponent(text, i);

    double dValue = 0.0;
    const auto result = std::from_chars(text.data() + nMantissa, text.data() + i, dValue);
    if (result.ec == std::errc::result_out_of_range)
        dValue = mantissa.nLead + nExponent > 0 ? HUGE_VAL : 0.0;
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
