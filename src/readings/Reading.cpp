#include "Reading.h"

#include <charconv>
#include <cmath>

namespace readings
{
namespace
{
// What the instrument answers for a reading it cannot give: 9.9E37 (overflow), 9.91E37 (not a number).
constexpr double kInstrumentNoValue = 9.9e37;

std::string_view Trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}
} // namespace

SReading MakeReading(TReadingTime time, int nChannel, std::optional<EMeasureFunction> function,
                     std::string_view label, std::string_view text, std::string_view unit, bool bLive)
{
    return {time,
            nChannel,
            function,
            std::string(label),
            std::string(text),
            ReadingValue(text),
            std::string(Trimmed(unit)),
            bLive};
}

std::optional<double> ReadingValue(std::string_view text)
{
    text = Trimmed(text);
    // from_chars takes a minus sign but no plus; the instrument writes both.
    if (text.starts_with('+'))
    {
        text.remove_prefix(1);
        if (text.starts_with('+') || text.starts_with('-'))
            return std::nullopt;
    }
    double dValue = 0;
    const auto [pEnd, error] = std::from_chars(text.data(), text.data() + text.size(), dValue);
    if (text.empty() || error != std::errc() || pEnd != text.data() + text.size() || !std::isfinite(dValue) ||
        std::fabs(dValue) >= kInstrumentNoValue)
        return std::nullopt;
    return dValue;
}

bool SameSeries(const SReading& first, const SReading& second)
{
    return first.nChannel == second.nChannel && first.function == second.function;
}
} // namespace readings
