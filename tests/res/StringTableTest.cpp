// The string table: every string id the panels and the frame load has a text, the table has no text nobody
// loads, and the published numbers and texts a typo could break.

#include "res/StringTable.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

namespace
{
using namespace res;

// The ids each user of the string table loads.
struct SStringUser
{
    const char* pszUser;
    std::vector<int> ids;
};

const SStringUser kStringUsers[] = {
    {"Event Trig", {IDS_TRIG_SLOPE_POS, IDS_TRIG_SLOPE_NEG, IDS_TRIG_CHANNEL_1, IDS_TRIG_CHANNEL_2}},
    {"Input Config",
     {IDS_X1, IDS_X10, IDS_50_OHM, IDS_1_M_OHM, IDS_DC, IDS_AC, IDS_SEPARATE, IDS_COMMON, IDS_INPUT_CHANNEL_1,
      IDS_INPUT_CHANNEL_2}},
    {"Measure",
     {IDS_LOWER_REF,
      IDS_UPPER_REF,
      IDS_REFERENCE,
      IDS_FREQ,
      IDS_PERIOD,
      IDS_FREQ_RATIO,
      IDS_RISE_TIME,
      IDS_FALL_TIME,
      IDS_PWIDTH,
      IDS_NWIDTH,
      IDS_TIME_INT,
      IDS_TOTALIZE,
      IDS_AC_RMS,
      IDS_DCV,
      IDS_MIN_V,
      IDS_MAX_V,
      IDS_LOWER_REFERENCE_TITLE,
      IDS_UPPER_REFERENCE_TITLE,
      IDS_REFERENCE_TITLE,
      IDS_RESOLUTION_TITLE,
      IDS_EXPECTED_TITLE}},
    {"Arm", {IDS_ARM_SLOPE_POS, IDS_ARM_SLOPE_NEG}},
    {"Output Config", {IDS_TIMEBASE_OFF, IDS_TIMEBASE_ON}},
    {"Frame", {IDS_SYNC_FAILED}},
};

TEST(StringTable, EveryLoadedIdHasATextAndNoOtherNumberHasOne)
{
    std::set<int> loaded;
    for (const SStringUser& user : kStringUsers)
    {
        SCOPED_TRACE(user.pszUser);
        for (int nId : user.ids)
        {
            SCOPED_TRACE(nId);
            EXPECT_TRUE(loaded.insert(nId).second) << "two names for one number";
            const char* pszText = FindString(nId);
            ASSERT_NE(pszText, nullptr);
            EXPECT_STRNE(pszText, "");
            EXPECT_EQ(LoadString(nId), pszText);
        }
    }
    // Every gap inside the used range and around it, and the extremes of the type.
    for (int nId = -2; nId <= *loaded.rbegin() + 2; ++nId)
    {
        SCOPED_TRACE(nId);
        EXPECT_EQ(FindString(nId) != nullptr, loaded.contains(nId));
    }
    for (int nId : {INT_MIN, INT_MAX, 1000, 2000})
    {
        SCOPED_TRACE(nId);
        EXPECT_EQ(FindString(nId), nullptr);
        EXPECT_EQ(LoadString(nId), std::string());
    }
}

struct SPublishedString
{
    int nId;
    int nNumber;
    const char* pszText;
};

TEST(StringTable, PublishedStringsKeepTheirNumbersAndTexts)
{
    for (const SPublishedString& published : {
             SPublishedString{IDS_TRIG_SLOPE_POS, 3, "Slope POS"},
             SPublishedString{IDS_TRIG_CHANNEL_1, 4, "Channel 1"},
             SPublishedString{IDS_1_M_OHM, 23, "1 M ohm"},
             SPublishedString{IDS_INPUT_CHANNEL_1, 28, "Channel 1"},
             SPublishedString{IDS_FREQ, 64, "FREQ"},
             SPublishedString{IDS_MAX_V, 76, "MAX V"},
             SPublishedString{IDS_EXPECTED_TITLE, 85, "Expected Value:"},
             SPublishedString{IDS_ARM_SLOPE_POS, 86, "Slope +"},
             SPublishedString{IDS_TIMEBASE_OFF, 89, "INT TBASE Output off"},
             SPublishedString{IDS_SYNC_FAILED, 94,
                              "Sync failed.  Recommend using RESET (or possibly Sending a new config)"},
         })
    {
        SCOPED_TRACE(published.pszText);
        EXPECT_EQ(published.nId, published.nNumber);
        EXPECT_EQ(LoadString(published.nId), published.pszText);
    }
}
} // namespace
