#pragma once
// Faults injected into entry points: the entry point returns the fault's status instead of doing its
// work, for a number of calls or until cleared.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tarvexsim
{
struct SFault
{
    int32_t nStatus = 0;
    int nRemaining = -1;                  // calls still to fail; -1 for ever
    std::optional<std::string> errorText; // queued as an instrument error with the error-detected status
};

class CFaultTable
{
public:
    // A count of 0 removes the fault; any negative count means until cleared.
    void Set(const std::string& entryPoint, int32_t nStatus, int nCount, const char* pszErrorText);
    void Clear() { m_faults.clear(); }
    // The fault of this call, counted down; none when the entry point works normally.
    std::optional<SFault> Take(const std::string& entryPoint);
    // Reads "entry=status[:count[:error text]],..." (status decimal or 0x hex, count -1 when left out);
    // entries it cannot read are skipped. Returns how many it took.
    int AddFromList(std::string_view list);
    // A status in decimal or 0x hex, as 32 bits.
    static std::optional<int32_t> ParseStatus(std::string_view text);

private:
    std::map<std::string, SFault> m_faults;
};
} // namespace tarvexsim
