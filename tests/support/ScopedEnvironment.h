#pragma once
// An environment variable set for a scope: the one helper the tests without widgets share with the others.

#include <optional>
#include <string>

namespace testsupport
{
// Sets (or, with null, removes) an environment variable for the life of the object.
class CScopedEnvironment
{
public:
    CScopedEnvironment(const char* pszName, const char* pszValue);
    ~CScopedEnvironment();
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};
} // namespace testsupport
