// The leading number of a text, read as the C library's prefix conversions read it.

#include "framework/base/LeadingNumber.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace
{
TEST(LeadingNumber, IntegerPrefix)
{
    const std::pair<const char*, int> cases[] = {
        {"1", 1},
        {"+1", 1},
        {" \t1\n", 1},
        {"-7x", -7},
        {"1.9", 1},
        {"10", 10},
        {"0", 0},
        {"", 0},
        {"ON", 0},
        {"- 1", 0},
        {"+-1", 0},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [pszText, nExpected] : cases)
    {
        SCOPED_TRACE(pszText);
        EXPECT_EQ(LeadingInteger(pszText), nExpected);
    }
}

TEST(LeadingNumber, DoubleReadsTheLongestDecimalPrefix)
{
    const struct
    {
        double dExpected;
        std::vector<const char*> texts;
    } groups[] = {
        {0,
         {"", "   ", ".", "e5", "MIN", "abc", "V", "-.", "+", "- 5", "--5", "+-5", "-+5", "0x10", "inf",
          "nan", "1e-400", "1e-99999999999999999999"}},
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
        for (const char* pszText : group.texts)
            EXPECT_DOUBLE_EQ(LeadingDouble(pszText), group.dExpected) << '"' << pszText << '"';
    // Beyond a double's range only as written: the exponent brings the value back.
    const std::string hugeDigits = "1" + std::string(400, '0');
    EXPECT_DOUBLE_EQ(LeadingDouble(hugeDigits), HUGE_VAL);
    EXPECT_DOUBLE_EQ(LeadingDouble(hugeDigits + "e-390"), 1e10);
    EXPECT_DOUBLE_EQ(LeadingDouble("0." + std::string(400, '0') + "1"), 0);

    // A number needs a digit; without one the 0 read stands for no number at all.
    for (const char* pszText : {"", "   ", ".", "e5", "abc", "-.", "+", "- 5", "+-5", "inf", "+.e1"})
        EXPECT_FALSE(HasLeadingNumber(pszText)) << '"' << pszText << '"';
    for (const char* pszText : {"0", "-.5", "5.", "1e-400", " +0x10", "1e400"})
        EXPECT_TRUE(HasLeadingNumber(pszText)) << '"' << pszText << '"';
}
} // namespace
