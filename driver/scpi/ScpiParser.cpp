#include "ScpiParser.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace scpi
{
namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Printable ASCII and blanks only: a control character, a NUL or a byte above 126 is no part of the
// dialect, also within a string.
bool HasInvalidCharacter(std::string_view text)
{
    return std::any_of(
        text.begin(), text.end(),
        [](char c)
        {
            const auto u = static_cast<unsigned char>(c);
            return !IsBlank(c) && (u < 0x20 || u > 0x7E);
        });
}

// Where the first separator outside quotes stands (the text's size when there is none), and whether every
// quote before it is closed. A doubled quote inside a string closes and opens it again, which leaves it
// open.
struct SSeparator
{
    size_t nPosition;
    bool bQuotesClosed;
};

SSeparator FindOutsideQuotes(std::string_view text, char cSeparator)
{
    char cQuote = 0;
    size_t nPosition = 0;
    for (; nPosition < text.size(); ++nPosition)
    {
        const char c = text[nPosition];
        if (cQuote)
            cQuote = c == cQuote ? 0 : cQuote;
        else if (c == '"' || c == '\'')
            cQuote = c;
        else if (c == cSeparator)
            break;
    }
    return {nPosition, cQuote == 0};
}

bool IsNodeText(std::string_view node)
{
    return !node.empty() && IsLetter(node.front()) &&
           std::all_of(
               node.begin(), node.end(), [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; });
}
} // namespace

CMessageParser::CMessageParser(std::string_view message) : m_message(message) {}

bool CMessageParser::TakeUnitText(std::string_view& text)
{
    const std::string_view rest = std::string_view(m_message).substr(m_nPosition);
    const SSeparator separator = FindOutsideQuotes(rest, ';');
    text = rest.substr(0, separator.nPosition);
    m_nPosition += std::min(separator.nPosition + 1, rest.size());
    return separator.bQuotesClosed;
}

CMessageParser::EResult CMessageParser::Next(SUnit& unit, const SScpiError*& pError)
{
    unit = SUnit();
    pError = nullptr;
    if (m_nPosition >= m_message.size())
        return EResult::End;
    const bool bFirst = m_nPosition == 0;
    std::string_view text;
    const bool bClosed = TakeUnitText(text);
    const bool bLast = m_nPosition >= m_message.size() && !m_message.ends_with(';');
    if (HasInvalidCharacter(text))
        pError = &kInvalidCharacter;
    else if (!bClosed)
        pError = &kInvalidStringData;
    else
    {
        text = Trim(text);
        // An empty message, or a ';' before the end, is allowed; an empty unit between two is not.
        if (text.empty())
        {
            if (bLast || bFirst)
                return Next(unit, pError);
            pError = &kSyntaxError;
        }
        else
        {
            const size_t nHeaderEnd = std::min(text.find_first_of(" \t\r"), text.size());
            pError = ReadHeader(text.substr(0, nHeaderEnd), unit);
            if (!pError)
                pError = ReadParameters(Trim(text.substr(nHeaderEnd)), unit);
        }
    }
    if (!pError)
        return EResult::Unit;
    m_nPosition = m_message.size();
    return EResult::Error;
}

const SScpiError* CMessageParser::ReadHeader(std::string_view header, SUnit& unit)
{
    const bool bQuery = header.ends_with('?');
    if (bQuery)
        header.remove_suffix(1);
    std::vector<std::string> texts;
    // A colon before a common command changes nothing: common commands stand outside the tree.
    if (header.starts_with(":*"))
        header.remove_prefix(1);
    if (header.starts_with('*'))
    {
        if (header.size() < 2 || !std::all_of(header.begin() + 1, header.end(), IsLetter))
            return &kSyntaxError;
        texts.emplace_back(header);
    }
    else
    {
        if (header.starts_with(':'))
            header.remove_prefix(1);
        else
            texts = m_path;
        for (;;)
        {
            const size_t nColon = header.find(':');
            const std::string_view node = header.substr(0, nColon);
            if (!IsNodeText(node))
                return &kSyntaxError;
            texts.emplace_back(node);
            if (nColon == std::string_view::npos)
                break;
            header.remove_prefix(nColon + 1);
        }
    }

    std::vector<SReceivedNode> nodes;
    for (const std::string& text : texts)
    {
        SReceivedNode node{text, std::nullopt};
        const bool bCommon = text.starts_with('*');
        size_t nDigits = 0;
        while (!bCommon && nDigits < text.size() && IsDigit(text[text.size() - 1 - nDigits]))
            ++nDigits;
        if (nDigits > 0)
        {
            if (nDigits > kLongestSuffix)
                return &kHeaderSuffixOutOfRange;
            int nSuffix = 0;
            std::from_chars(text.data() + text.size() - nDigits, text.data() + text.size(), nSuffix);
            node.name = std::string_view(text).substr(0, text.size() - nDigits);
            node.suffix = nSuffix;
        }
        nodes.push_back(node);
    }

    const std::vector<CHeaderPattern>& patterns = HeaderPatterns();
    for (size_t n = 0; n < patterns.size(); ++n)
    {
        if (patterns[n].IsQuery() != bQuery || !patterns[n].Match(nodes, unit.nSuffix))
            continue;
        unit.pCommand = &Commands()[n];
        // A common command leaves the path where it was.
        if (!patterns[n].IsCommon())
        {
            texts.pop_back();
            m_path = std::move(texts);
        }
        return nullptr;
    }
    return &kUndefinedHeader;
}

const SScpiError* CMessageParser::ReadParameters(std::string_view text, SUnit& unit)
{
    while (!text.empty())
    {
        const size_t nEnd = FindOutsideQuotes(text, ',').nPosition;
        const std::string_view parameter = Trim(text.substr(0, nEnd));
        if (parameter.empty())
            return &kSyntaxError;
        unit.parameters.emplace_back(parameter);
        if (nEnd == text.size())
            break;
        text.remove_prefix(nEnd + 1);
        // A comma must be followed by a parameter.
        if (Trim(text).empty())
            return &kSyntaxError;
    }
    return CheckCount(*unit.pCommand, unit.parameters.size());
}

const SScpiError* CMessageParser::CheckCount(const SCommand& command, size_t nCount)
{
    switch (command.eArguments)
    {
    case EArguments::None:
        return nCount == 0 ? nullptr : &kParameterNotAllowed;
    case EArguments::One:
        return nCount == 0 ? &kMissingParameter : nCount == 1 ? nullptr : &kParameterNotAllowed;
    case EArguments::UpToTwo:
        return nCount <= 2 ? nullptr : &kParameterNotAllowed;
    case EArguments::UpToFour:
        return nCount <= 4 ? nullptr : &kParameterNotAllowed;
    }
    return nullptr;
}
} // namespace scpi
