#pragma once
// A menu from a menu template, built into a QMenuBar: items found by command id, check marks, and
// commands routed through the owner's message map (WM_COMMAND_MENU entries).

#include "HandlerDispatch.h"
#include "MessageMap.h"

#include <functional>
#include <map>
#include <span>
#include <vector>

class QAction;
class QMenuBar;

struct SMenuItem
{
    const char* pszCaption;      // with its "&" mnemonic; null for a separator
    int nId;                     // command id; 0 for a popup or separator
    std::vector<SMenuItem> items; // a popup's items
};

struct SMenuTemplate
{
    int nId;
    std::vector<SMenuItem> popups;
};

namespace framework
{
class CMenuBar
{
public:
    void Build(QMenuBar* pMenuBar, const SMenuTemplate& menuTemplate);

    QAction* Item(int nId) const; // null for an unknown id
    void CheckMenuItem(int nId, bool bChecked);
    bool IsChecked(int nId) const;

    template <class T>
    void Bind(T* pTarget, std::span<const SMessageEntry<T>> messageMap)
    {
        for (const auto& entry : messageMap)
        {
            auto pfn = entry.pfnHandler;
            Connect(entry.nId, [pTarget, pfn] { DispatchHandler([&] { (pTarget->*pfn)(); }); });
        }
    }

    void Connect(int nId, std::function<void()> handler);

private:
    std::map<int, QAction*> m_items;
};
} // namespace framework
