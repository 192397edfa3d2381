#include "MeasureFunction.h"

#include <array>

namespace tarvexsim
{
namespace
{
constexpr std::array<std::string_view, kFunctionIndexCount> kKeywords = {
    "AC", "DC", "", "FREQ", "FREQ:RAT", "FTIM", "MAX", "MIN", "NWID", "PER", "PWID", "RTIM", "TINT", "TOT"};

// In the order the front panel lists them.
constexpr std::array<EFunction, 13> kPanelOrder = {
    EFunction::Frequency,     EFunction::Period,       EFunction::FrequencyRatio, EFunction::PositiveWidth,
    EFunction::NegativeWidth, EFunction::AcVolts,      EFunction::DcVolts,        EFunction::MinVolts,
    EFunction::MaxVolts,      EFunction::TimeInterval, EFunction::Totalize,       EFunction::RiseTime,
    EFunction::FallTime};
} // namespace

std::string_view FunctionKeyword(int nIndex)
{
    return nIndex >= 0 && nIndex < kFunctionIndexCount ? kKeywords[static_cast<size_t>(nIndex)] : "";
}

std::optional<EFunction> FunctionFromKeyword(std::string_view keyword)
{
    for (int nIndex = 0; nIndex < kFunctionIndexCount; ++nIndex)
        if (!keyword.empty() && kKeywords[static_cast<size_t>(nIndex)] == keyword)
            return static_cast<EFunction>(nIndex);
    return std::nullopt;
}

std::vector<std::string> ChannelFunctionKeywords(int nChannel)
{
    const size_t nCount = nChannel == 1 ? 13 : nChannel == 2 ? 9 : 3;
    std::vector<std::string> keywords;
    for (size_t n = 0; n < nCount; ++n)
        keywords.emplace_back(FunctionKeyword(static_cast<int>(kPanelOrder[n])));
    return keywords;
}

bool IsGatedByAperture(EFunction eFunction)
{
    return eFunction == EFunction::Frequency || eFunction == EFunction::Period ||
           eFunction == EFunction::FrequencyRatio;
}
} // namespace tarvexsim
