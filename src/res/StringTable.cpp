#include "StringTable.h"

#include "ResourceIds.h"

#include <algorithm>
#include <array>

namespace res
{
namespace
{
struct SStringEntry
{
    int nId;
    const char* pszText;
};

// Kept in ascending id order: the lookup is a binary search.
constexpr std::array kStrings{
    SStringEntry{IDS_TRIG_SLOPE_POS, "Slope POS"},
    SStringEntry{IDS_TRIG_CHANNEL_1, "Channel 1"},
    SStringEntry{IDS_TRIG_CHANNEL_2, "Channel 2"},
    SStringEntry{IDS_TRIG_SLOPE_NEG, "Slope NEG"},
    SStringEntry{IDS_X1, "x1"},
    SStringEntry{IDS_X10, "x10"},
    SStringEntry{IDS_50_OHM, "50 ohm"},
    SStringEntry{IDS_1_M_OHM, "1 M ohm"},
    SStringEntry{IDS_DC, "DC"},
    SStringEntry{IDS_AC, "AC"},
    SStringEntry{IDS_SEPARATE, "Separate"},
    SStringEntry{IDS_COMMON, "Common"},
    SStringEntry{IDS_INPUT_CHANNEL_1, "Channel 1"},
    SStringEntry{IDS_INPUT_CHANNEL_2, "Channel 2"},
    SStringEntry{IDS_LOWER_REF, "Lower Ref..."},
    SStringEntry{IDS_UPPER_REF, "Upper Ref..."},
    SStringEntry{IDS_REFERENCE, "Reference..."},
    SStringEntry{IDS_FREQ, "FREQ"},
    SStringEntry{IDS_PERIOD, "Period"},
    SStringEntry{IDS_FREQ_RATIO, "FREQ Ratio"},
    SStringEntry{IDS_RISE_TIME, "Rise Time"},
    SStringEntry{IDS_FALL_TIME, "Fall Time"},
    SStringEntry{IDS_PWIDTH, "PWidth"},
    SStringEntry{IDS_NWIDTH, "NWidth"},
    SStringEntry{IDS_TIME_INT, "Time INT"},
    SStringEntry{IDS_TOTALIZE, "Totalize"},
    SStringEntry{IDS_AC_RMS, "AC RMS"},
    SStringEntry{IDS_DCV, "DCV"},
    SStringEntry{IDS_MIN_V, "MIN V"},
    SStringEntry{IDS_MAX_V, "MAX V"},
    SStringEntry{IDS_LOWER_REFERENCE_TITLE, "Lower Reference:"},
    SStringEntry{IDS_UPPER_REFERENCE_TITLE, "Upper Reference:"},
    SStringEntry{IDS_REFERENCE_TITLE, "Reference:"},
    SStringEntry{IDS_RESOLUTION_TITLE, "Resolution:"},
    SStringEntry{IDS_EXPECTED_TITLE, "Expected Value:"},
    SStringEntry{IDS_ARM_SLOPE_POS, "Slope +"},
    SStringEntry{IDS_ARM_SLOPE_NEG, "Slope -"},
    SStringEntry{IDS_TIMEBASE_OFF, "INT TBASE Output off"},
    SStringEntry{IDS_TIMEBASE_ON, "INT TBASE Output on"},
    SStringEntry{IDS_SYNC_FAILED, "Sync failed.  Recommend using RESET (or possibly Sending a new config)"},
};

static_assert(std::ranges::is_sorted(kStrings, {}, &SStringEntry::nId), "string ids must ascend");
} // namespace

const char* FindString(int nId)
{
    const auto it = std::ranges::lower_bound(kStrings, nId, {}, &SStringEntry::nId);
    return it != kStrings.end() && it->nId == nId ? it->pszText : nullptr;
}

std::string LoadString(int nId)
{
    const char* pszText = FindString(nId);
    return pszText ? std::string(pszText) : std::string();
}
} // namespace res
