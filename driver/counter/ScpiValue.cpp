#include "ScpiValue.h"

#include <cctype>
#include <charconv>

namespace tarvexsim
{
namespace
{
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Keywords are a letter followed by letters, digits, ':' or '_' ("FREQ:RAT", "TTLT3", "CLK10").
bool IsKeywordText(std::string_view text)
{
    if (text.empty() || !IsLetter(text.front()))
        return false;
    for (char c : text)
        if (!IsLetter(c) && !IsDigit(c) && c != ':' && c != '_')
            return false;
    return true;
}

// Length of the digit run starting at nPos.
size_t DigitRun(std::string_view text, size_t nPos)
{
    size_t nEnd = nPos;
    while (nEnd < text.size() && IsDigit(text[nEnd]))
        ++nEnd;
    return nEnd - nPos;
}
} // namespace

std::string_view CScpiValue::Trim(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> CScpiValue::ParseDecimal(std::string_view text)
{
    text = Trim(text);
    // Checked by hand first: from_chars alone would also take "inf", "nan" and hex digits after "0x".
    size_t nPos = 0;
    bool bNegative = false;
    if (nPos < text.size() && (text[nPos] == '+' || text[nPos] == '-'))
        bNegative = text[nPos++] == '-';
    const size_t nStart = nPos;
    const size_t nInteger = DigitRun(text, nPos);
    nPos += nInteger;
    size_t nFraction = 0;
    if (nPos < text.size() && text[nPos] == '.')
    {
        nFraction = DigitRun(text, nPos + 1);
        nPos += 1 + nFraction;
    }
    if (nInteger + nFraction == 0)
        return std::nullopt;
    if (nPos < text.size() && (text[nPos] == 'e' || text[nPos] == 'E'))
    {
        size_t nExponent = nPos + 1;
        if (nExponent < text.size() && (text[nExponent] == '+' || text[nExponent] == '-'))
            ++nExponent;
        const size_t nDigits = DigitRun(text, nExponent);
        if (nDigits == 0)
            return std::nullopt;
        nPos = nExponent + nDigits;
    }
    if (nPos != text.size())
        return std::nullopt;

    double dValue = 0.0;
    const char* pFirst = text.data() + nStart;
    const auto result = std::from_chars(pFirst, text.data() + text.size(), dValue);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt; // beyond what a double holds: the instrument cannot read it either
    return bNegative ? -dValue : dValue;
}

CScpiValue CScpiValue::FromNumber(double dValue)
{
    CScpiValue value;
    value.m_eType = EType::Number;
    value.m_dNumber = dValue;
    return value;
}

CScpiValue CScpiValue::FromText(std::string_view text)
{
    CScpiValue value;
    text = Trim(text);
    value.m_strText = std::string(text);
    // A quoted string parameter ("FREQ") counts as its content.
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = Trim(text.substr(1, text.size() - 2));

    if (text.empty())
        value.m_eType = EType::Missing;
    else if (const auto number = ParseDecimal(text))
    {
        value.m_eType = EType::Number;
        value.m_dNumber = *number;
    }
    else if (IsKeywordText(text))
    {
        value.m_eType = EType::Keyword;
        for (char c : text)
            value.m_strKeyword += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    else
        value.m_eType = EType::Invalid;
    return value;
}
} // namespace tarvexsim
