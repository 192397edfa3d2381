#include "ReplyTable.h"

namespace tarvexsim
{
void CReplyTable::Set(const std::string& entryPoint, int nItem, const char* pszText)
{
    if (pszText)
        m_replies[{entryPoint, nItem}] = pszText;
    else
        m_replies.erase({entryPoint, nItem});
}

const std::string* CReplyTable::Find(const std::string& entryPoint, int nItem) const
{
    const auto found = m_replies.find({entryPoint, nItem});
    return found == m_replies.end() ? nullptr : &found->second;
}
} // namespace tarvexsim
