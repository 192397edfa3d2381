#include "EntryText.h"

#include <cstdio>

std::string FormatGeneral(double dValue)
{
    char szText[64];
    std::snprintf(szText, sizeof szText, "%G", dValue);
    std::string text = szText;
    const std::size_t nE = text.find('E');
    if (nE == std::string::npos || nE + 2 > text.size())
        return text;
    // The C library writes at least two exponent digits; widen them to three.
    const std::size_t nDigitsAt = nE + 2;
    const std::size_t nDigits = text.size() - nDigitsAt;
    if (nDigits < 3)
        text.insert(nDigitsAt, 3 - nDigits, '0');
    return text;
}
