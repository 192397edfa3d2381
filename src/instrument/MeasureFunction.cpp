#include "MeasureFunction.h"

#include <algorithm>
#include <iterator>

namespace
{
struct SKeyword
{
    EMeasureFunction eFunction;
    const char* pszKeyword;
};

constexpr SKeyword kKeywords[] = {
    {EMeasureFunction::AcVolts, "AC"},     {EMeasureFunction::DcVolts, "DC"},
    {EMeasureFunction::Frequency, "FREQ"}, {EMeasureFunction::FrequencyRatio, "FREQ:RAT"},
    {EMeasureFunction::FallTime, "FTIM"},  {EMeasureFunction::MaxVolts, "MAX"},
    {EMeasureFunction::MinVolts, "MIN"},   {EMeasureFunction::NegativeWidth, "NWID"},
    {EMeasureFunction::Period, "PER"},     {EMeasureFunction::PositiveWidth, "PWID"},
    {EMeasureFunction::RiseTime, "RTIM"},  {EMeasureFunction::TimeInterval, "TINT"},
    {EMeasureFunction::Totalize, "TOT"},
};
} // namespace

std::string QuotedFunctionKeyword(EMeasureFunction eFunction)
{
    const auto it = std::ranges::find(kKeywords, eFunction, &SKeyword::eFunction);
    return it != std::end(kKeywords) ? std::string("\"") + it->pszKeyword + "\"" : std::string();
}
