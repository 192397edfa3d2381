#pragma once
// Numbers written as the instrument writes them: "+1.50000E+00", "+50", readings with nine digits. The
// output never depends on the process locale.

#include <string>

namespace tarvexsim
{
class CScpiFormat
{
public:
    // Sign, one digit, nDecimals decimals, a capital E and a signed exponent of at least two digits.
    static std::string Real(double dValue, int nDecimals = 5);
    static std::string Integer(long long nValue); // always signed: "+50", "-3"
    static std::string Reading(double dValue) { return Real(dValue, 8); }
    static std::string General(double dValue); // as printf's "%g"
};
} // namespace tarvexsim
