#include "CallArguments.h"

#include "ScpiFormat.h"

#include <cstring>

namespace tarvexsim
{
CCallArguments& CCallArguments::Integer(long long nValue)
{
    m_text += " " + std::to_string(nValue);
    return *this;
}

CCallArguments& CCallArguments::Real(double dValue)
{
    m_text += " " + CScpiFormat::General(dValue);
    return *this;
}

CCallArguments& CCallArguments::Text(const char* pszText)
{
    if (!pszText)
    {
        m_text += " NULL";
        return *this;
    }
    m_text += " \"";
    for (size_t n = 0; n < kLongestText && pszText[n] != '\0'; ++n)
        m_text += static_cast<unsigned char>(pszText[n]) < 0x20 ? '?' : pszText[n];
    m_text += "\"";
    return *this;
}

CCallArguments& CCallArguments::Out(const void* pOutput)
{
    m_text += pOutput ? " out" : " NULL";
    return *this;
}
} // namespace tarvexsim
