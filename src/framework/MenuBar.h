#pragma once
// A menu from a menu template, built into a QMenuBar: items found by command id, check marks, and
// commands routed through the owner's message map (WM_COMMAND_MENU entries).

#include "HandlerDispatch.h"
#include "MessageMap.h"

#include <QPointer>

#include <functional>
#include <map>
#include <set>
#include <span>
#include <vector>

class QAction;
class QMenuBar;

struct SMenuItem
{
    const char* pszCaption;       // with its "&" mnemonic; null for a separator
    int nId;                      // command id; 0 for a popup or separator
    std::vector<SMenuItem> items; // a popup's items
};

struct SMenuTemplate
{
    int nId;
    std::vector<SMenuItem> popups;
};

class CMenuBar
{
public:
    void Build(QMenuBar* pMenuBar, const SMenuTemplate& menuTemplate);

    QAction* Item(int nId) const; // null for an unknown id
    void CheckMenuItem(int nId, bool bChecked);
    bool IsChecked(int nId) const;

    template <class T> void Bind(T* pTarget, std::span<const SMessageEntry<T>> messageMap)
    {
        for (const auto& entry : messageMap)
        {
            if (entry.nCode == WM_COMMAND_MENU)
            {
                auto pfn = entry.pfnHandler;
                Connect(entry.nId, [pTarget, pfn] { (pTarget->*pfn)(); });
            }
        }
    }

    // The command nId runs the handler under DispatchHandler; an id the menu does not have is ignored.
    void Connect(int nId, std::function<void()> handler);
    bool HasHandler(int nId) const { return m_handled.contains(nId); }

private:
    std::map<int, QPointer<QAction>> m_items; // gone with the menu bar
    std::set<int> m_handled;                  // the commands Connect gave a handler
};
