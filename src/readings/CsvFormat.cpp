#include "CsvFormat.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace readings
{
namespace
{
constexpr std::string_view kRowEnd = "\r\n";

// The number with at least nWidth digits, zeros in front.
void AppendPadded(std::string& out, long long nNumber, int nWidth)
{
    std::array<char, 24> digits{};
    char* pEnd = std::to_chars(digits.data(), digits.data() + digits.size(), nNumber).ptr;
    const auto nLength = static_cast<int>(pEnd - digits.data());
    out.append(static_cast<std::size_t>(std::max(0, nWidth - nLength)), '0');
    out.append(digits.data(), pEnd);
}

std::string ShortestNumber(double dValue)
{
    std::array<char, 32> text{};
    return std::string(text.data(), std::to_chars(text.data(), text.data() + text.size(), dValue).ptr);
}
} // namespace

const std::string& CsvHeader()
{
    static const std::string header = "time,channel,function,reading,value,unit,live\r\n";
    return header;
}

std::string CsvRow(const SReading& reading)
{
    std::string row = IsoUtcTime(reading.time);
    for (const std::string& field :
         {std::to_string(reading.nChannel), CsvField(reading.strFunction), CsvField(reading.strText),
          reading.value ? ShortestNumber(*reading.value) : std::string(), CsvField(reading.strUnit),
          std::string(reading.bLive ? "yes" : "no")})
    {
        row += ',';
        row += field;
    }
    row += kRowEnd;
    return row;
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text)
    {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

std::string IsoUtcTime(TReadingTime time)
{
    using namespace std::chrono;
    const auto day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss clock(time - day);
    const struct
    {
        long long nNumber;
        int nWidth;
        char cAfter;
    } parts[] = {
        {static_cast<int>(date.year()), 4, '-'},     {static_cast<unsigned>(date.month()), 2, '-'},
        {static_cast<unsigned>(date.day()), 2, 'T'}, {clock.hours().count(), 2, ':'},
        {clock.minutes().count(), 2, ':'},           {clock.seconds().count(), 2, '.'},
        {clock.subseconds().count(), 3, 'Z'},
    };
    std::string text;
    for (const auto& part : parts)
    {
        AppendPadded(text, part.nNumber, part.nWidth);
        text += part.cAfter;
    }
    return text;
}
} // namespace readings
