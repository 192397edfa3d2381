#include "FaultTable.h"

#include "ScpiValue.h"

#include <charconv>
#include <cstdint>

namespace tarvexsim
{
namespace
{
std::optional<long long> ParseInteger(std::string_view text, int nBase)
{
    long long nValue = 0;
    if (nBase == 16 && !text.empty() && (text.front() == '-' || text.front() == '+'))
        return std::nullopt; // "0x-5" is no way of writing a status
    const auto result = std::from_chars(text.data(), text.data() + text.size(), nValue, nBase);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return nValue;
}
} // namespace

void CFaultTable::Set(const std::string& entryPoint, int32_t nStatus, int nCount, const char* pszErrorText)
{
    if (nCount == 0)
    {
        m_faults.erase(entryPoint);
        return;
    }
    SFault& fault = m_faults[entryPoint];
    fault.nStatus = nStatus;
    fault.nRemaining = nCount < 0 ? -1 : nCount;
    fault.errorText = pszErrorText ? std::optional<std::string>(pszErrorText) : std::nullopt;
}

std::optional<SFault> CFaultTable::Take(const std::string& entryPoint)
{
    const auto found = m_faults.find(entryPoint);
    if (found == m_faults.end())
        return std::nullopt;
    SFault fault = found->second;
    if (found->second.nRemaining > 0 && --found->second.nRemaining == 0)
        m_faults.erase(found);
    return fault;
}

std::optional<int32_t> CFaultTable::ParseStatus(std::string_view text)
{
    text = CScpiValue::Trim(text);
    const bool bHex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const auto value = bHex ? ParseInteger(text.substr(2), 16) : ParseInteger(text, 10);
    // Statuses are written signed (-1073807339) or as their 32 bits (0xBFFF0015).
    if (!value || *value < INT32_MIN || *value > UINT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(*value));
}

int CFaultTable::AddFromList(std::string_view list)
{
    int nTaken = 0;
    while (!list.empty())
    {
        const size_t nComma = list.find(',');
        const std::string_view entry = list.substr(0, nComma);
        list = nComma == std::string_view::npos ? std::string_view() : list.substr(nComma + 1);

        const size_t nEquals = entry.find('=');
        if (nEquals == std::string_view::npos)
            continue;
        const std::string_view name = CScpiValue::Trim(entry.substr(0, nEquals));
        std::string_view rest = entry.substr(nEquals + 1);
        const size_t nFirstColon = rest.find(':');
        const auto status = ParseStatus(rest.substr(0, nFirstColon));
        std::optional<long long> count = -1;
        std::optional<std::string> errorText;
        if (nFirstColon != std::string_view::npos)
        {
            rest = rest.substr(nFirstColon + 1);
            const size_t nSecondColon = rest.find(':');
            count = ParseInteger(CScpiValue::Trim(rest.substr(0, nSecondColon)), 10);
            if (nSecondColon != std::string_view::npos)
                errorText = std::string(rest.substr(nSecondColon + 1));
        }
        if (name.empty() || !status || !count)
            continue;
        Set(std::string(name), *status, static_cast<int>(*count), errorText ? errorText->c_str() : nullptr);
        ++nTaken;
    }
    return nTaken;
}
} // namespace tarvexsim
