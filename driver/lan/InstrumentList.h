#pragma once
// The instruments the LAN driver's search probes, from its own settings: the environment variable
// TARVEX_INSTRUMENTS (resources separated by ';'), or else the file $XDG_CONFIG_HOME/tarvex/instruments
// (~/.config/tarvex/instruments when XDG_CONFIG_HOME is unset): one resource a line, '#' starting a
// comment.

#include <string>
#include <string_view>
#include <vector>

namespace lan
{
struct SInstrumentList
{
    std::vector<std::string> resources;
    std::string source; // where they came from, for the driver's messages
};

SInstrumentList ConfiguredInstruments();
// The resources of a TARVEX_INSTRUMENTS value, and of the file's text.
std::vector<std::string> SplitInstrumentVariable(std::string_view value);
std::vector<std::string> ReadInstrumentFile(std::string_view text);
} // namespace lan
