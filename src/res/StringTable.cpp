#include "res/StringTable.h"

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
    SStringEntry{3, "Slope POS"},
    SStringEntry{4, "Channel 1"},
    SStringEntry{5, "Channel 2"},
    SStringEntry{8, "Slope NEG"},
    SStringEntry{20, "x1"},
    SStringEntry{21, "x10"},
    SStringEntry{22, "50 ohm"},
    SStringEntry{23, "1 M ohm"},
    SStringEntry{24, "DC"},
    SStringEntry{25, "AC"},
    SStringEntry{26, "Separate"},
    SStringEntry{27, "Common"},
    SStringEntry{28, "Channel 1"},
    SStringEntry{29, "Channel 2"},
    SStringEntry{57, "Lower Ref..."},
    SStringEntry{58, "Upper Ref..."},
    SStringEntry{59, "Reference..."},
    SStringEntry{64, "FREQ"},
    SStringEntry{65, "Period"},
    SStringEntry{66, "FREQ Ratio"},
    SStringEntry{67, "Rise Time"},
    SStringEntry{68, "Fall Time"},
    SStringEntry{69, "PWidth"},
    SStringEntry{70, "NWidth"},
    SStringEntry{71, "Time INT"},
    SStringEntry{72, "Totalize"},
    SStringEntry{73, "AC RMS"},
    SStringEntry{74, "DCV"},
    SStringEntry{75, "MIN V"},
    SStringEntry{76, "MAX V"},
    SStringEntry{81, "Lower Reference:"},
    SStringEntry{82, "Upper Reference:"},
    SStringEntry{83, "Reference:"},
    SStringEntry{84, "Resolution:"},
    SStringEntry{85, "Expected Value:"},
    SStringEntry{86, "Slope +"},
    SStringEntry{87, "Slope -"},
    SStringEntry{89, "INT TBASE Output off"},
    SStringEntry{90, "INT TBASE Output on"},
    SStringEntry{94, "Sync failed.  Recommend using RESET (or possibly Sending a new config)"},
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
