// Timers, menus, the wait cursor, the application colours and the run-time loader with its search path.

#include "framework/Application.h"
#include "framework/MenuBar.h"
#include "framework/TimerSet.h"
#include "framework/WaitCursor.h"
#include "framework/base/DynamicLibrary.h"
#include "framework/base/LibrarySearchPath.h"
#include "framework/base/RunPath.h"

#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QProxyStyle>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace
{
// A window's timer handling as the frame does it: ticks of its own numbered timers run under the dispatch.
class CTimerOwner : public QObject
{
public:
    CTimerSet m_timers{this};
    std::vector<int> m_ticks;
    std::function<void(int)> m_onTick;

protected:
    void timerEvent(QTimerEvent* pEvent) override
    {
        if (const int nId = m_timers.IdOf(pEvent))
        {
            DispatchHandler(
                [&]
                {
                    m_ticks.push_back(nId);
                    if (m_onTick)
                        m_onTick(nId);
                });
        }
    }
};
} // namespace

TEST(TimerSet, SettingARunningTimerRestartsItWithTheNewPeriod)
{
    CTimerOwner owner;
    owner.m_timers.SetTimer(1, 20);
    EXPECT_TRUE(owner.m_timers.IsRunning(1));
    EXPECT_EQ(owner.m_timers.Interval(1), 20);
    owner.m_timers.SetTimer(1, 60000);
    EXPECT_EQ(owner.m_timers.Interval(1), 60000);
    QTest::qWait(120); // the 20 ms timer would have fired several times by now
    EXPECT_TRUE(owner.m_ticks.empty());

    owner.m_timers.SetTimer(1, 5);
    owner.m_timers.SetTimer(2, 7);
    EXPECT_TRUE(QTest::qWaitFor(
        [&]
        {
            return std::count(owner.m_ticks.begin(), owner.m_ticks.end(), 1) >= 2 &&
                   std::count(owner.m_ticks.begin(), owner.m_ticks.end(), 2) >= 2;
        },
        2000));

    owner.m_timers.KillTimer(1);
    owner.m_timers.KillTimer(7); // never set: nothing happens
    EXPECT_FALSE(owner.m_timers.IsRunning(1));
    EXPECT_EQ(owner.m_timers.Interval(1), 0);
    EXPECT_TRUE(owner.m_timers.IsRunning(2));
    owner.m_ticks.clear();
    QTest::qWait(60);
    EXPECT_EQ(std::count(owner.m_ticks.begin(), owner.m_ticks.end(), 1), 0);
    EXPECT_GT(std::count(owner.m_ticks.begin(), owner.m_ticks.end(), 2), 0);

    QTimerEvent foreign(987654);
    EXPECT_EQ(owner.m_timers.IdOf(&foreign), 0);
    EXPECT_EQ(owner.m_timers.IdOf(nullptr), 0);
}

TEST(TimerSet, UserExceptionFromATickIsDiscardedAndTheTimerGoesOn)
{
    CTimerOwner owner;
    owner.m_onTick = [](int) { ThrowUserException(); };
    testsupport::CCapturedWarnings warnings;
    owner.m_timers.SetTimer(1, 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return owner.m_ticks.size() >= 3; }, 2000));
    EXPECT_TRUE(warnings.Texts().isEmpty());

    owner.m_onTick = [](int) { throw std::runtime_error("tick failed"); };
    owner.m_ticks.clear();
    EXPECT_TRUE(QTest::qWaitFor([&] { return owner.m_ticks.size() >= 2; }, 2000));
    owner.m_timers.KillTimer(1);
    ASSERT_FALSE(warnings.Texts().isEmpty());
    EXPECT_TRUE(warnings.Texts().front().contains(QStringLiteral("tick failed")));
}

namespace
{
const SMenuTemplate& TestMenu()
{
    static const SMenuTemplate s_menu{
        130,
        {{"&File",
          0,
          {{"&Open", 10, {}}, {nullptr, 0, {}}, {"E&xit", 11, {}}, {"&More", 0, {{"&Deep", 12, {}}}}}},
         {"&View", 0, {{"&Grid && Lines", 20, {}}}}}};
    return s_menu;
}

struct CMenuTarget
{
    int m_nOpen = 0;
    int m_nOther = 0;
    void OnOpen() { ++m_nOpen; }
    void OnOther() { ++m_nOther; }
    void OnFail() { ThrowUserException(); }
};
} // namespace

TEST(MenuBar, BuildsPopupsSeparatorsAndItemsFoundById)
{
    QMenuBar menuBar;
    CMenuBar menu;
    menu.Build(&menuBar, TestMenu());
    const auto popups = menuBar.actions();
    ASSERT_EQ(popups.size(), 2);
    EXPECT_EQ(popups[0]->text(), QStringLiteral("&File"));
    const auto fileItems = popups[0]->menu()->actions();
    ASSERT_EQ(fileItems.size(), 4);
    EXPECT_TRUE(fileItems[1]->isSeparator());
    EXPECT_EQ(fileItems[0], menu.Item(10));
    EXPECT_EQ(fileItems[2], menu.Item(11));
    ASSERT_NE(menu.Item(12), nullptr);
    EXPECT_EQ(menu.Item(12)->text(), QStringLiteral("&Deep"));
    EXPECT_EQ(menu.Item(20)->text(), QStringLiteral("&Grid && Lines"));
    EXPECT_EQ(menu.Item(0), nullptr);
    EXPECT_EQ(menu.Item(99), nullptr);
}

TEST(MenuBar, CheckMarksChangeOnlyThroughCheckMenuItem)
{
    QMenuBar menuBar;
    CMenuBar menu;
    menu.Build(&menuBar, TestMenu());
    int nGrid = 0;
    menu.Connect(
        20, [&] { ++nGrid; });
    menu.Connect(99, [&] { ++nGrid; }); // not in the menu: ignored

    struct SStep
    {
        const char* pszName;
        std::function<void()> act;
        bool bChecked;
    };
    const SStep steps[] = {
        {"starts unchecked", [] {}, false},
        {"checked", [&] { menu.CheckMenuItem(20, true); }, true},
        {"choosing a checked item keeps its mark", [&] { menu.Item(20)->trigger(); }, true},
        {"unchecked", [&] { menu.CheckMenuItem(20, false); }, false},
        {"choosing an unchecked item leaves it unchecked", [&] { menu.Item(20)->trigger(); }, false},
    };
    for (const auto& step : steps)
    {
        step.act();
        EXPECT_EQ(menu.IsChecked(20), step.bChecked) << step.pszName;
        EXPECT_EQ(menu.Item(20)->isChecked(), step.bChecked) << step.pszName;
    }
    EXPECT_EQ(nGrid, 2);
    EXPECT_FALSE(menu.IsChecked(99));
    menu.CheckMenuItem(99, true); // unknown: nothing happens
}

TEST(MenuBar, MessageMapRoutesMenuCommandsOnlyAndDiscardsUserExceptions)
{
    QMenuBar menuBar;
    CMenuBar menu;
    menu.Build(&menuBar, TestMenu());
    CMenuTarget target;
    static const SMessageEntry<CMenuTarget> messageMap[] = {
        {WM_COMMAND_MENU, 10, &CMenuTarget::OnOpen},
        {BN_CLICKED, 11, &CMenuTarget::OnOther}, // a control notification: not the menu's
        {WM_COMMAND_MENU, 12, &CMenuTarget::OnFail},
    };
    menu.Bind<CMenuTarget>(&target, messageMap);
    testsupport::CCapturedWarnings warnings;
    menu.Item(10)->trigger();
    menu.Item(11)->trigger();
    menu.Item(12)->trigger();
    menu.Item(10)->trigger();
    EXPECT_EQ(target.m_nOpen, 2);
    EXPECT_EQ(target.m_nOther, 0);
    EXPECT_TRUE(warnings.Texts().isEmpty());
}

TEST(WaitCursor, ShowsTheWaitCursorForItsLifetimeAndNests)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        CWaitCursor outer;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            CWaitCursor inner;
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(DialogColours, LightGreyWithBlackTextInAStyleThatHonoursThePalette)
{
    const QPalette palette = QApplication::palette();
    struct SCase
    {
        QPalette::ColorRole role;
        QColor colour;
    };
    const SCase cases[] = {
        {QPalette::Window, QColor(192, 192, 192)},
        {QPalette::Button, QColor(192, 192, 192)},
        {QPalette::WindowText, Qt::black},
        {QPalette::ButtonText, Qt::black},
        {QPalette::Light, Qt::white},
        {QPalette::Dark, QColor(128, 128, 128)},
        {QPalette::Base, Qt::white},
        {QPalette::Text, Qt::black},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(palette.color(QPalette::Active, c.role), c.colour) << c.role;
        EXPECT_EQ(palette.color(QPalette::Inactive, c.role), c.colour) << c.role;
    }
    EXPECT_NE(palette.color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::black));
    const auto* pStyle = qobject_cast<const QProxyStyle*>(QApplication::style());
    ASSERT_NE(pStyle, nullptr);
    EXPECT_EQ(pStyle->baseStyle()->name(), QStringLiteral("fusion"));
}

TEST(DynamicLibrary, MapsWindowsNamesToSharedObjects)
{
    struct SCase
    {
        const char* pszWindows;
        const char* pszPlatform;
    };
    const SCase cases[] = {
        {"visa32.dll", "libvisa32.so"},
        {"tarvex_32.dll", "libtarvex_32.so"},
        {"VISA32.DLL", "libVISA32.so"},
        {"drivers/tarvex_32.dll", "drivers/libtarvex_32.so"},
        {"libm.so.6", "libm.so.6"},
        {"plain", "plain"},
        {".dll", ".dll"},
        {"name.dll.bak", "name.dll.bak"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDynamicLibrary::PlatformFileName(c.pszWindows), c.pszPlatform) << c.pszWindows;
}

TEST(DynamicLibrary, LoadsFindsSymbolsAndReportsWhatIsMissing)
{
    using AddFn = int (*)(int, int);
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    struct SCase
    {
        const char* pszName;
        std::string folder;
        bool bLoads;
    };
    const SCase cases[] = {
        {"loaderprobe.dll", "", true},                     // beside the program: last on the search path
        {"loaderprobe.dll", programFolder, true},          // in the given folder
        {"loaderprobe.dll", "/nonexistent-folder", false}, // only that folder is searched
        {"absent_library.dll", "", false},
    };
    for (const auto& c : cases)
    {
        CDynamicLibrary library;
        EXPECT_EQ(library.Load(c.pszName, c.folder), c.bLoads) << c.pszName << " in '" << c.folder << "'";
        EXPECT_EQ(library.IsLoaded(), c.bLoads);
        if (!c.bLoads)
        {
            EXPECT_NE(library.LastError().find("lib"), std::string::npos) << library.LastError();
            EXPECT_EQ(library.Symbol("loaderprobe_add"), nullptr);
            continue;
        }
        EXPECT_TRUE(library.LastError().empty());
        auto pfnAdd = reinterpret_cast<AddFn>(library.Symbol("loaderprobe_add"));
        ASSERT_NE(pfnAdd, nullptr);
        EXPECT_EQ(pfnAdd(2, 3), 5);
        EXPECT_EQ(library.Symbol("loaderprobe_missing"), nullptr);
        EXPECT_NE(library.LastError().find("loaderprobe_missing"), std::string::npos) << library.LastError();
        EXPECT_EQ(library.Symbol(nullptr), nullptr);
        library.Free();
        EXPECT_FALSE(library.IsLoaded());
        EXPECT_EQ(library.Symbol("loaderprobe_add"), nullptr);
        library.Free(); // twice is harmless
    }
}

TEST(LibrarySearchPath, EnvironmentThenSystemThenTheProgramsFolderLast)
{
    const std::vector<std::string> system = {"/etc-lib", "/usr/lib"};
    const struct
    {
        const char* pszVariable;
        std::vector<std::string> expected;
    } cases[] = {
        {"", {"/etc-lib", "/usr/lib", "/program"}},
        {"/a:/b", {"/a", "/b", "/etc-lib", "/usr/lib", "/program"}},
        {"::/a::;/b:", {"/a", "/b", "/etc-lib", "/usr/lib", "/program"}}, // empty elements are no folder
        {"/program:/usr/lib:/a:/a", {"/program", "/usr/lib", "/a", "/etc-lib"}},
        {"lib", {"lib", "/etc-lib", "/usr/lib", "/program"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibrarySearchPath(c.pszVariable, system, {"/program"}), c.expected) << c.pszVariable;
}

// The program's own folders come from its RUNPATH: the build gives $ORIGIN, an installed program
// $ORIGIN/../lib/tarvex.
TEST(LibrarySearchPath, ProgramFoldersAreTheRunPathsWithTheOriginReplaced)
{
    const struct
    {
        const char* pszRunPath;
        const char* pszProgramFolder;
        std::vector<std::string> expected;
    } cases[] = {
        {"$ORIGIN", "/p/bin", {"/p/bin"}},
        {"$ORIGIN/../lib/tarvex", "/p/bin", {"/p/lib/tarvex"}},
        {"::${ORIGIN}/x:/opt/y:$ORIGIN/$ORIGIN", "/p", {"/p/x", "/opt/y", "/p/p"}},
        {"$ORIGIN/../lib:/opt/y", "", {"/opt/y"}}, // no program folder: no folder relative to it
        {"", "/p/bin", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunPathFolders(c.pszRunPath, c.pszProgramFolder), c.expected) << c.pszRunPath;
    // This test program is built with the RUNPATH $ORIGIN, read from its own file.
    const std::vector<std::string> folders = ProgramLibraryFolders();
    EXPECT_NE(std::find(folders.begin(), folders.end(), ProgramFolder()), folders.end());
}

// The loader's configuration: folders, comments, included files (a file that includes itself ends), then
// the loader's defaults.
TEST(LibrarySearchPath, SystemFoldersFollowTheLoadersConfiguration)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string root = folder.path().toStdString();
    std::filesystem::create_directory(root + "/conf.d");
    std::ofstream(root + "/ld.so.conf") << "# comment\n/opt/a\ninclude conf.d/*.conf\n\nhwcap 0 nosegneg\n"
                                        << "include " << root << "/missing/*.conf\n/opt/z/lib, /opt/y\n";
    std::ofstream(root + "/conf.d/2.conf") << "/opt/c # trailing comment\n";
    std::ofstream(root + "/conf.d/1.conf") << "  /opt/b\n";
    std::ofstream(root + "/self.conf") << "/opt/self\ninclude self.conf\n";

    std::vector<std::string> folders = SystemLibraryFolders(root + "/ld.so.conf");
    const std::vector<std::string> listed = {"/opt/a", "/opt/b", "/opt/c", "/opt/z/lib", "/opt/y"};
    ASSERT_GT(folders.size(), listed.size());
    EXPECT_EQ(std::vector<std::string>(folders.begin(), folders.begin() + 5), listed);
    EXPECT_EQ(folders.back(), "/usr/lib");
    EXPECT_EQ(SystemLibraryFolders(root + "/self.conf").front(), "/opt/self");
}
