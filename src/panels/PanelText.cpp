#include "PanelText.h"

#include <cctype>

namespace
{
// Letters and digits as the user's language classifies them (the program runs in the user's locale).
bool IsLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool IsSign(char c)
{
    return c == '+' || c == '-';
}
} // namespace

bool IsLevelKeyword(const std::string& text)
{
    return text == "MIN" || text == "MAX" || text == "DEF";
}

bool IsTriggerLevelAcceptable(const std::string& text)
{
    constexpr double dLimit = 10.2375;
    if (text.empty())
        return false;
    if (IsLevelKeyword(text))
        return true;
    const char cFirst = text[0];
    if (IsLetter(cFirst) || !(IsDigit(cFirst) || IsSign(cFirst)))
        return false;
    // A sign must lead a number: "-abc" or a lone sign would send a level of 0.
    if (!HasLeadingNumber(text))
        return false;
    const double dLevel = LeadingDouble(text);
    return dLevel >= -dLimit && dLevel <= dLimit;
}

bool IsRelativeLevelAcceptable(const std::string& text)
{
    if (text.empty())
        return false;
    if (IsLevelKeyword(text))
        return true;
    if (IsLetter(text[0]))
        return false;
    const int nLevel = LeadingInteger(text);
    return nLevel >= 10 && nLevel <= 90;
}

const char* StateText(const StateTexts& texts, int nState)
{
    return texts[nState == 0 ? 0 : 1];
}
