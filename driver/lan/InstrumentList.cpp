#include "InstrumentList.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lan
{
namespace
{
std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// At most this many: a search probes each in turn.
constexpr size_t kMostInstruments = 64;

void Add(std::vector<std::string>& resources, std::string_view text)
{
    text = Trim(text);
    if (!text.empty() && resources.size() < kMostInstruments)
        resources.emplace_back(text);
}
} // namespace

std::vector<std::string> SplitInstrumentVariable(std::string_view value)
{
    std::vector<std::string> resources;
    for (size_t nEnd = value.find(';'); !value.empty(); nEnd = value.find(';'))
    {
        Add(resources, value.substr(0, nEnd));
        value.remove_prefix(nEnd == std::string_view::npos ? value.size() : nEnd + 1);
    }
    return resources;
}

std::vector<std::string> ReadInstrumentFile(std::string_view text)
{
    std::vector<std::string> resources;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);)
        Add(resources, std::string_view(line).substr(0, line.find('#')));
    return resources;
}

SInstrumentList ConfiguredInstruments()
{
    if (const char* pszVariable = std::getenv("TARVEX_INSTRUMENTS"))
        return {SplitInstrumentVariable(pszVariable), "TARVEX_INSTRUMENTS"};
    std::string folder;
    if (const char* pszConfig = std::getenv("XDG_CONFIG_HOME"); pszConfig && *pszConfig)
        folder = pszConfig;
    else if (const char* pszHome = std::getenv("HOME"))
        folder = std::string(pszHome) + "/.config";
    const std::string path = folder + "/tarvex/instruments";
    std::ifstream file(path);
    // A settings file is small; a huge one is read no further than this.
    std::string text(65536, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(file.gcount()));
    return {ReadInstrumentFile(text), path};
}
} // namespace lan
