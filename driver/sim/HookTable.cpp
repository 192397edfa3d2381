#include "HookTable.h"

namespace tarvexsim
{
void CHookTable::Set(const std::string& entryPoint, tarvexsim_hook_fn pfnHook, void* pContext)
{
    if (pfnHook)
        m_hooks[entryPoint] = {pfnHook, pContext};
    else
        m_hooks.erase(entryPoint);
}

std::optional<SHook> CHookTable::Take(const std::string& entryPoint)
{
    const auto found = m_hooks.find(entryPoint);
    if (found == m_hooks.end())
        return std::nullopt;
    const SHook hook = found->second;
    m_hooks.erase(found);
    return hook;
}
} // namespace tarvexsim
