// Menu 130 built into a menu bar: every command found by its id and unique, the separator before Exit, and
// the published command numbers and captions a typo could break. That the frame handles every command is
// checked with the frame.

#include "res/MainMenu.h"
#include "framework/MenuBar.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <set>

namespace
{
TEST(MainMenu, EveryCommandIsBuiltOnceAndFoundByItsId)
{
    EXPECT_EQ(res::MainMenu().nId, res::IDR_MAIN_MENU);
    QMenuBar menuBar;
    CMenuBar menu;
    menu.Build(&menuBar, res::MainMenu());

    const QList<QAction*> popups = menuBar.actions();
    ASSERT_EQ(popups.size(), static_cast<qsizetype>(res::MainMenu().popups.size()));
    std::set<int> ids;
    for (qsizetype nPopup = 0; nPopup < popups.size(); ++nPopup)
    {
        const SMenuItem& popup = res::MainMenu().popups[nPopup];
        SCOPED_TRACE(popup.pszCaption);
        EXPECT_EQ(popups[nPopup]->text(), QString::fromLatin1(popup.pszCaption));
        ASSERT_NE(popups[nPopup]->menu(), nullptr);
        const QList<QAction*> actions = popups[nPopup]->menu()->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(popup.items.size()));
        for (qsizetype nItem = 0; nItem < actions.size(); ++nItem)
        {
            const SMenuItem& item = popup.items[nItem];
            EXPECT_EQ(actions[nItem]->isSeparator(), item.pszCaption == nullptr);
            if (item.pszCaption)
            {
                EXPECT_TRUE(ids.insert(item.nId).second) << item.nId;
                EXPECT_EQ(menu.Item(item.nId), actions[nItem]);
                EXPECT_EQ(actions[nItem]->text(), QString::fromLatin1(item.pszCaption));
            }
        }
    }
    EXPECT_EQ(menu.Item(0), nullptr);
    EXPECT_EQ(menu.Item(*ids.rbegin() + 1), nullptr);
}

struct SPublishedCommand
{
    int nId;
    int nNumber;
    const char* pszCaption;
};

TEST(MainMenu, PublishedCommandsKeepTheirNumbersAndCaptions)
{
    QMenuBar menuBar;
    CMenuBar menu;
    menu.Build(&menuBar, res::MainMenu());
    for (const SPublishedCommand& command : {
             SPublishedCommand{res::ID_SYSTEM_RESET, 2000, "&Reset"},
             SPublishedCommand{res::ID_PANELS_MEASURE, 2002, "&Measure"},
             SPublishedCommand{res::ID_PANELS_OUTPUT_CONFIG, 2007, "&Output Config"},
             SPublishedCommand{res::ID_HELP_ABOUT, 2009, "&About..."},
             SPublishedCommand{res::ID_SYSTEM_AUTO_UPDATE, 2010, "&Auto Update Mode"},
             SPublishedCommand{res::ID_SYSTEM_SYNC, 2012, "&Sync"},
         })
    {
        SCOPED_TRACE(command.pszCaption);
        EXPECT_EQ(command.nId, command.nNumber);
        ASSERT_NE(menu.Item(command.nId), nullptr);
        EXPECT_EQ(menu.Item(command.nId)->text(), QString::fromLatin1(command.pszCaption));
    }
    EXPECT_EQ(res::IDR_MAIN_MENU, 130);
}

TEST(MainMenu, ExitIsTheLastSystemCommandAfterASeparator)
{
    QMenuBar menuBar;
    CMenuBar menu;
    menu.Build(&menuBar, res::MainMenu());
    const QAction* pExit = menu.Item(res::ID_SYSTEM_EXIT);
    ASSERT_NE(pExit, nullptr);
    const QList<QAction*> actions = menuBar.actions().front()->menu()->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions.back(), pExit);
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
}
} // namespace
