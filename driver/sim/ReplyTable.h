#pragma once
// Answers set by tests: a query of an entry point with an item code answers the set text instead of the
// simulated state.

#include <map>
#include <string>
#include <utility>

namespace tarvexsim
{
class CReplyTable
{
public:
    // A null text removes the reply.
    void Set(const std::string& entryPoint, int nItem, const char* pszText);
    void Clear() { m_replies.clear(); }
    const std::string* Find(const std::string& entryPoint, int nItem) const;

private:
    std::map<std::pair<std::string, int>, std::string> m_replies;
};
} // namespace tarvexsim
