// The string table: every numbered text the panels, toggles and entry dialogs load, and nothing else.

#include "res/StringTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace
{
struct SExpectedString
{
    int nId;
    const char* pszText;
};

const SExpectedString kExpectedStrings[] = {
    {3, "Slope POS"},
    {4, "Channel 1"},
    {5, "Channel 2"},
    {8, "Slope NEG"},
    {20, "x1"},
    {21, "x10"},
    {22, "50 ohm"},
    {23, "1 M ohm"},
    {24, "DC"},
    {25, "AC"},
    {26, "Separate"},
    {27, "Common"},
    {28, "Channel 1"},
    {29, "Channel 2"},
    {57, "Lower Ref..."},
    {58, "Upper Ref..."},
    {59, "Reference..."},
    {64, "FREQ"},
    {65, "Period"},
    {66, "FREQ Ratio"},
    {67, "Rise Time"},
    {68, "Fall Time"},
    {69, "PWidth"},
    {70, "NWidth"},
    {71, "Time INT"},
    {72, "Totalize"},
    {73, "AC RMS"},
    {74, "DCV"},
    {75, "MIN V"},
    {76, "MAX V"},
    {81, "Lower Reference:"},
    {82, "Upper Reference:"},
    {83, "Reference:"},
    {84, "Resolution:"},
    {85, "Expected Value:"},
    {86, "Slope +"},
    {87, "Slope -"},
    {89, "INT TBASE Output off"},
    {90, "INT TBASE Output on"},
    {94, "Sync failed.  Recommend using RESET (or possibly Sending a new config)"},
};

bool IsExpectedId(int nId)
{
    for (const auto& expected : kExpectedStrings)
    {
        if (expected.nId == nId)
        {
            return true;
        }
    }
    return false;
}

TEST(StringTable, EveryNumberedTextIsPresentExactly)
{
    for (const auto& expected : kExpectedStrings)
    {
        SCOPED_TRACE(expected.nId);
        const char* pszFound = res::FindString(expected.nId);
        ASSERT_NE(pszFound, nullptr);
        EXPECT_STREQ(pszFound, expected.pszText);
        EXPECT_EQ(res::LoadString(expected.nId), expected.pszText);
    }
}

TEST(StringTable, NumbersBetweenAndAroundTheTableHaveNoText)
{
    // Every gap inside the used range, its neighbours, and the extremes of the type.
    for (int nId = -2; nId <= 100; ++nId)
    {
        if (IsExpectedId(nId))
        {
            continue;
        }
        SCOPED_TRACE(nId);
        EXPECT_EQ(res::FindString(nId), nullptr);
        EXPECT_EQ(res::LoadString(nId), std::string());
    }
    for (int nId : {INT_MIN, INT_MAX, 1000, 2000})
    {
        SCOPED_TRACE(nId);
        EXPECT_EQ(res::FindString(nId), nullptr);
        EXPECT_TRUE(res::LoadString(nId).empty());
    }
}
} // namespace
