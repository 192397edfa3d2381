#include "ScpiWriter.h"

#include "ScpiHeader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace scpi
{
namespace
{
// Characters a parameter may hold without quotes: those of numbers, keywords and blanks.
bool IsPlain(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '-' || c == '.' || c == ':' || c == '_' || c == ' ';
}

// A string in one kind of quotes, each quote inside it doubled.
bool IsQuotedString(std::string_view text)
{
    if (text.size() < 2 || (text.front() != '"' && text.front() != '\'') || text.back() != text.front())
        return false;
    const char cQuote = text.front();
    const std::string_view inside = text.substr(1, text.size() - 2);
    for (size_t n = 0; n < inside.size(); ++n)
    {
        if (inside[n] != cQuote)
            continue;
        if (n + 1 >= inside.size() || inside[n + 1] != cQuote)
            return false;
        ++n;
    }
    return true;
}
} // namespace

std::string CommandText(const SCommand& command, int nSuffix, const std::vector<std::string>& parameters)
{
    const size_t nRow = static_cast<size_t>(&command - Commands().data());
    std::string text = HeaderPatterns()[nRow].Text(CHeaderPattern::EForm::Short, nSuffix);
    for (size_t n = 0; n < parameters.size(); ++n)
        text += (n == 0 ? " " : ",") + parameters[n];
    return text;
}

bool IsSendable(std::string_view text)
{
    return std::none_of(
        text.begin(), text.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E; });
}

std::optional<std::string> ParameterText(std::string_view text)
{
    if (!IsSendable(text))
        return std::nullopt;
    // Nothing but blanks is an empty string, which the counter reads as it reads no text at all.
    if (std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; }))
        return "\"\"";
    if (std::all_of(text.begin(), text.end(), IsPlain))
        return std::string(text);
    // Blanks around a string are no part of it: the counter reads past them.
    const size_t nFirst = text.find_first_not_of(' ');
    const std::string_view inBlanks = text.substr(nFirst, text.find_last_not_of(' ') - nFirst + 1);
    if (IsQuotedString(inBlanks))
        return std::string(inBlanks);
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string NumberText(double dValue)
{
    if (std::isnan(dValue))
        return "9.91E37";
    if (std::isinf(dValue))
        return dValue > 0 ? "9.9E37" : "-9.9E37";
    char szNumber[64];
    const auto result = std::to_chars(szNumber, szNumber + sizeof szNumber, dValue);
    return std::string(szNumber, result.ptr);
}
} // namespace scpi
