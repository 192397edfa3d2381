// Which trigger level and relative level texts the Event Trig panel lets the operator send.

#include "panels/PanelText.h"

#include <gtest/gtest.h>

namespace
{
struct SLevelCase
{
    const char* pszText;
    bool bAcceptable;
};

TEST(PanelText, TriggerLevelWithinTenPointTwoThreeSevenFiveOrAKeyword)
{
    const SLevelCase cases[] = {
        {"-10.2375", true}, {"10.2375", true}, {"+5", true},        {"0", true},     {"1e1", true},
        {"5V", true},       {"MIN", true},     {"MAX", true},       {"DEF", true},   {"-0.5", true},
        {"10.2376", false}, {"-11", false},    {"-10.2376", false}, {".5", false},   {"-", false},
        {"+", false},       {" 5", false},     {"min", false},      {"AUTO", false}, {"", false},
        {"MIN ", false},    {"Max", false},    {"#5", false},       {"1e2", false},  {"1e999", false},
        {"5", true},        {"-.5", true},     {"+.5V", true},      {"-abc", false}, {"+x", false},
        {"+-5", false},     {"-.", false},     {"+.x", false},      {"- 5", false},  {"+nan", false},
        {"-inf", false}, // a sign must lead a number
    };
    for (const SLevelCase& c : cases)
        EXPECT_EQ(IsTriggerLevelAcceptable(c.pszText), c.bAcceptable) << '"' << c.pszText << '"';
}

TEST(PanelText, RelativeLevelByItsLeadingIntegerFromTenToNinetyOrAKeyword)
{
    const SLevelCase cases[] = {
        {"10", true},   {"90", true},   {"+50", true}, {"50abc", true}, {"90.9", true},
        {"MIN", true},  {"MAX", true},  {"DEF", true}, {" 50", true},   {"9", false},
        {"91", false},  {"9.9", false}, {"-", false},  {"ten", false},  {"min", false},
        {"", false},    {"-50", false}, {"+", false},  {"def", false},  {"99999999999999999999", false},
        {"#50", false},
    };
    for (const SLevelCase& c : cases)
        EXPECT_EQ(IsRelativeLevelAcceptable(c.pszText), c.bAcceptable) << '"' << c.pszText << '"';
}
} // namespace
