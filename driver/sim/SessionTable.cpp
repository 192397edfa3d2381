#include "SessionTable.h"

#include "ScpiHeader.h"

#include <algorithm>

namespace tarvexsim
{
char** CSessionTable::PublishFound()
{
    m_found = m_resources;
    m_foundPointers.clear();
    for (std::string& resource : m_found)
        m_foundPointers.push_back(resource.data());
    m_foundPointers.push_back(nullptr); // a list with nothing in it is still a valid pointer
    return m_foundPointers.data();
}

std::optional<ViSession> CSessionTable::Open(std::string_view resource)
{
    const auto found =
        std::find_if(m_resources.begin(), m_resources.end(),
                     [&](const std::string& known) { return scpi::EqualsIgnoringCase(known, resource); });
    if (found == m_resources.end())
        return std::nullopt;
    const ViSession vi = m_nNextHandle++;
    m_sessions[vi].resource = *found;
    return vi;
}

bool CSessionTable::Close(ViSession vi)
{
    return m_sessions.erase(vi) > 0;
}

SSession* CSessionTable::Find(ViSession vi)
{
    const auto found = m_sessions.find(vi);
    return found == m_sessions.end() ? nullptr : &found->second;
}
} // namespace tarvexsim
