// Writing a range number with a three-digit exponent.

#include "dialogs/EntryText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
TEST(EntryText, FormatGeneralWritesAThreeDigitSignedExponent)
{
    const struct
    {
        double dValue;
        const char* pszExpected;
    } cases[] = {
        {2e8, "2E+008"},           {0.001, "0.001"},   {99.999, "99.999"},
        {500000, "500000"},        {0, "0"},           {-10.2375, "-10.2375"},
        {1234567, "1.23457E+006"}, {1e-5, "1E-005"},   {-2.5e-10, "-2.5E-010"},
        {1e100, "1E+100"},         {1e-300, "1E-300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatGeneral(c.dValue), c.pszExpected) << c.dValue;
}
} // namespace
