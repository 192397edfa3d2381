#include "ScopedEnvironment.h"

#include <cstdlib>

namespace testsupport
{
CScopedEnvironment::CScopedEnvironment(const char* pszName, const char* pszValue) : m_name(pszName)
{
    if (const char* pszPrevious = std::getenv(pszName))
        m_previous = pszPrevious;
    if (pszValue)
        setenv(pszName, pszValue, 1);
    else
        unsetenv(pszName);
}

CScopedEnvironment::~CScopedEnvironment()
{
    if (m_previous)
        setenv(m_name.c_str(), m_previous->c_str(), 1);
    else
        unsetenv(m_name.c_str());
}
} // namespace testsupport
