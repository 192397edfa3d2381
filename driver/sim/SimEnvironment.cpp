#include "SimEnvironment.h"

#include "ScpiValue.h"

#include <charconv>
#include <cstdlib>

namespace tarvexsim
{
namespace
{
std::optional<int> ParseInt(const char* pszText)
{
    const std::string_view text = CScpiValue::Trim(pszText ? pszText : "");
    int nValue = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), nValue);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return nValue;
}
} // namespace

std::vector<std::string> CSimEnvironment::SplitResources(std::string_view list)
{
    std::vector<std::string> resources;
    while (!list.empty())
    {
        const size_t nSeparator = list.find(';');
        const std::string_view resource = CScpiValue::Trim(list.substr(0, nSeparator));
        if (!resource.empty())
            resources.emplace_back(resource);
        list = nSeparator == std::string_view::npos ? std::string_view() : list.substr(nSeparator + 1);
    }
    return resources;
}

SSimSettings CSimEnvironment::Read()
{
    SSimSettings settings;
    const char* pszResources = std::getenv("TARVEXSIM_RESOURCES");
    settings.resources =
        pszResources ? SplitResources(pszResources) : std::vector<std::string>{kDefaultResource};
    settings.nSlot = ParseInt(std::getenv("TARVEXSIM_SLOT")).value_or(kDefaultSlot);
    if (const char* pszFaults = std::getenv("TARVEXSIM_FAULTS"))
        settings.faults = pszFaults;
    if (const char* pszTrace = std::getenv("TARVEXSIM_TRACE"))
        settings.tracePath = pszTrace;
    settings.bUnterminated = ParseInt(std::getenv("TARVEXSIM_UNTERMINATED")).value_or(0) != 0;
    return settings;
}
} // namespace tarvexsim
