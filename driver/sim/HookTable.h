#pragma once
// Hooks set by tests: a function that runs once, from inside the next call of an entry point.

#include "TarvexSim.h"

#include <map>
#include <optional>
#include <string>

namespace tarvexsim
{
struct SHook
{
    tarvexsim_hook_fn pfnHook;
    void* pContext;
};

class CHookTable
{
public:
    // A null function removes the hook.
    void Set(const std::string& entryPoint, tarvexsim_hook_fn pfnHook, void* pContext);
    void Clear() { m_hooks.clear(); }
    // The hook of this call, removed from the table so that it runs only once.
    std::optional<SHook> Take(const std::string& entryPoint);

private:
    std::map<std::string, SHook> m_hooks;
};
} // namespace tarvexsim
