#pragma once
// The resources the driver's search finds, the sessions opened on them, and the list tarvex_auto_init
// hands out (owned here, valid until the next search).

#include "TarvexAbi.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvexsim
{
struct SSession
{
    std::string resource;
    bool bDetectErrors = false;
    int32_t nTimeoutMs = 2000; // VISA's default
};

class CSessionTable
{
public:
    static constexpr int kLogicalAddress = 24;

    void SetResources(std::vector<std::string> resources) { m_resources = std::move(resources); }
    const std::vector<std::string>& Resources() const { return m_resources; }
    void SetSlot(int nSlot) { m_nSlot = nSlot; }
    int Slot() const { return m_nSlot; }

    // The found resources as a list that stays valid until the next search.
    char** PublishFound();
    // A new session on a configured resource (compared ignoring case); none when it is not configured.
    std::optional<ViSession> Open(std::string_view resource);
    bool Close(ViSession vi);
    SSession* Find(ViSession vi);

private:
    std::vector<std::string> m_resources;
    int m_nSlot = 5;
    std::vector<std::string> m_found;
    std::vector<char*> m_foundPointers;
    std::map<ViSession, SSession> m_sessions;
    ViSession m_nNextHandle = 0x100;
};
} // namespace tarvexsim
