// Reading the leading number of a text, and writing a range number with a three-digit exponent.

#include "dialogs/EntryText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
TEST(EntryText, LeadingNumberReadsTheLongestDecimalPrefix)
{
    const struct
    {
        double dExpected;
        std::vector<const char*> texts;
    } groups[] = {
        {0, {"", "abc", "V", "-.", "+", "- 5", "0x10", "inf", "nan", "1e-400", "1e-99999999999999999999"}},
        {5, {"5", " \t\n5", "5.", "5xyz", "+5e", "5e+", "0.5e1"}},
        {-2500, {"-2.5e3x", "-2500.V"}},
        {1.5, {"1.5 V", "1.5V ", ".15e1"}},
        {-10.2375, {"-10.2375v"}},
        {1, {"1,5", "1E", "1e-"}},
        {2e8, {"2E+008", "2e8"}},
        {HUGE_VAL, {"1e400", "0.001e500"}},
        {-HUGE_VAL, {"-1e400"}},
    };
    for (const auto& group : groups)
    {
        for (const char* pszText : group.texts)
        {
            EXPECT_DOUBLE_EQ(dialogs::LeadingNumber(pszText), group.dExpected) << '"' << pszText << '"';
        }
    }
    // Beyond a double's range only as written: the exponent brings the value back.
    const std::string hugeDigits = "1" + std::string(400, '0');
    EXPECT_DOUBLE_EQ(dialogs::LeadingNumber(hugeDigits), HUGE_VAL);
    EXPECT_DOUBLE_EQ(dialogs::LeadingNumber(hugeDigits + "e-390"), 1e10);
    EXPECT_DOUBLE_EQ(dialogs::LeadingNumber("0." + std::string(400, '0') + "1"), 0);
}

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
    {
        EXPECT_EQ(dialogs::FormatGeneral(c.dValue), c.pszExpected) << c.dValue;
    }
}
} // namespace
