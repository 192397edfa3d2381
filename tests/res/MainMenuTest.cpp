// Menu 130 built into a menu bar: its popups, captions with their mnemonics, command ids and the separator
// before Exit.

#include "res/MainMenu.h"
#include "framework/MenuBar.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct SExpectedItem
{
    const char* pszCaption; // null for the separator
    int nId;
};

struct SExpectedPopup
{
    const char* pszCaption;
    std::vector<SExpectedItem> items;
};

const std::vector<SExpectedPopup> kExpectedMenu = {
    {"&System",
     {{"&Reset", 2000},
      {"Self &Test", 2001},
      {"&Sync", 2012},
      {"&Auto Update Mode", 2010},
      {nullptr, 0},
      {"&Exit", 2011}}},
    {"&Panels",
     {{"&Measure", 2002},
      {"&Event Trig", 2003},
      {"&Input Config", 2004},
      {"&Arm", 2005},
      {"Mi&sc", 2006},
      {"&Output Config", 2007}}},
    {"&Help", {{"&Contents...", 2008}, {"&About...", 2009}}},
};

TEST(MainMenu, BuiltMenuHasEveryPopupCommandAndSeparatorInOrder)
{
    EXPECT_EQ(res::MainMenu().nId, res::IDR_MAIN_MENU);
    QMenuBar menuBar;
    framework::CMenuBar menu;
    menu.Build(&menuBar, res::MainMenu());

    const QList<QAction*> popups = menuBar.actions();
    ASSERT_EQ(popups.size(), static_cast<qsizetype>(kExpectedMenu.size()));
    for (std::size_t nPopup = 0; nPopup < kExpectedMenu.size(); ++nPopup)
    {
        const SExpectedPopup& expected = kExpectedMenu[nPopup];
        SCOPED_TRACE(expected.pszCaption);
        EXPECT_EQ(popups[nPopup]->text(), QString::fromLatin1(expected.pszCaption));
        QMenu* pPopup = popups[nPopup]->menu();
        ASSERT_NE(pPopup, nullptr);
        const QList<QAction*> actions = pPopup->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.items.size()));
        for (std::size_t nItem = 0; nItem < expected.items.size(); ++nItem)
        {
            const SExpectedItem& item = expected.items[nItem];
            if (item.pszCaption == nullptr)
            {
                EXPECT_TRUE(actions[nItem]->isSeparator());
                continue;
            }
            EXPECT_EQ(menu.Item(item.nId), actions[nItem]);
            EXPECT_EQ(actions[nItem]->text(), QString::fromLatin1(item.pszCaption));
        }
    }
    EXPECT_EQ(menu.Item(0), nullptr);
    EXPECT_EQ(menu.Item(2013), nullptr);
}
} // namespace
