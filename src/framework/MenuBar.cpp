#include "MenuBar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace
{
void AddItems(QMenu* pMenu, const std::vector<SMenuItem>& items, std::map<int, QPointer<QAction>>& actions)
{
    for (const SMenuItem& item : items)
        if (!item.pszCaption)
            pMenu->addSeparator();
        else if (!item.items.empty())
            AddItems(pMenu->addMenu(QString::fromLatin1(item.pszCaption)), item.items, actions);
        else
            actions.emplace(item.nId, pMenu->addAction(QString::fromLatin1(item.pszCaption)));
}
} // namespace

void CMenuBar::Build(QMenuBar* pMenuBar, const SMenuTemplate& menuTemplate)
{
    for (const SMenuItem& popup : menuTemplate.popups)
    {
        AddItems(pMenuBar->addMenu(QString::fromLatin1(popup.pszCaption ? popup.pszCaption : "")),
                 popup.items, m_items);
    }
}

QAction* CMenuBar::Item(int nId) const
{
    const auto it = m_items.find(nId);
    return it == m_items.end() ? nullptr : it->second.data();
}

void CMenuBar::CheckMenuItem(int nId, bool bChecked)
{
    // Only a checked item is checkable, so an unchecked one shows no empty check box.
    if (QAction* pAction = Item(nId))
    {
        pAction->setCheckable(bChecked);
        pAction->setChecked(bChecked);
    }
}

bool CMenuBar::IsChecked(int nId) const
{
    const QAction* pAction = Item(nId);
    return pAction && pAction->isChecked();
}

void CMenuBar::Connect(int nId, std::function<void()> handler)
{
    QAction* pAction = Item(nId);
    if (!pAction)
        return;
    m_handled.insert(nId);
    QObject::connect(pAction, &QAction::triggered, pAction,
                     [pAction, handler = std::move(handler)]
                     {
                         // Choosing a checked item leaves its check mark alone; only CheckMenuItem moves it.
                         if (pAction->isCheckable())
                             pAction->setChecked(true);
                         DispatchHandler(handler);
                     });
}
