#pragma once
// What a value entry accepts: a number within an inclusive range and/or some of the instrument's
// keywords MIN, MAX, DEF and AUTO, chosen by bits. The caller fills it in; the dialog keeps a copy.

#include <cstdint>
#include <string>

struct CValueEntryLimits
{
    static constexpr std::uint8_t DISCRETE_MIN = 1;
    static constexpr std::uint8_t DISCRETE_MAX = 2;
    static constexpr std::uint8_t DISCRETE_DEF = 4;
    static constexpr std::uint8_t DISCRETE_AUTO = 8;

    double m_dMin = 0.0;
    double m_dMax = 0.0;
    std::string m_strUnits; // printed after the range
    bool m_bRange = true;   // the range is shown and numbers are accepted
    std::uint8_t m_nDiscretes = 0;
};
