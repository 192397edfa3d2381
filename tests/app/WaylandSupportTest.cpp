// Whether the program stops at start for want of Qt's Wayland plugin: only where Qt would choose Wayland and
// then X11 without a display, and only when no folder Qt searches holds the plugin.

#include "app/WaylandSupport.h"
#include "app/CommandLine.h"

#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
TEST(WaylandSupport, LackedOnlyWhereQtWouldChooseWaylandAndNoFolderItSearchesHoldsThePlugin)
{
    // Qt's own plugin folder holds the X11 plugin only; the others hold a Wayland plugin where Qt looks.
    const QTemporaryDir root;
    const QString qt = root.filePath(QStringLiteral("qt")),
                  withPlugin = root.filePath(QStringLiteral("plugins")),
                  direct = root.filePath(QStringLiteral("direct")),
                  empty = root.filePath(QStringLiteral("empty"));
    for (const QString& file : {qt + "/platforms/libqxcb.so", withPlugin + "/platforms/libqwayland-egl.so",
                                direct + "/libqwayland-generic.so"})
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
        ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir().mkpath(empty));
    const QByteArray pluginPath = (empty + QDir::listSeparator() + withPlugin).toLocal8Bit();
    const QByteArray emptyPath = empty.toLocal8Bit(), directPath = direct.toLocal8Bit();

    const struct
    {
        const char* pszName;
        QStringList arguments;
        const char* pszDisplay;
        const char* pszWaylandDisplay;
        const char* pszPlatform;        // QT_QPA_PLATFORM
        const char* pszPluginPath;      // QT_PLUGIN_PATH
        const char* pszPlatformPlugins; // QT_QPA_PLATFORM_PLUGIN_PATH
        bool bLacks;
    } cases[] = {
        {"Wayland only, no plugin", {}, nullptr, "wayland-0", nullptr, emptyPath, emptyPath, true},
        {"an empty platform", {}, nullptr, "wayland-0", "", nullptr, nullptr, true},
        {"X11 as well", {}, ":0", "wayland-0", nullptr, nullptr, nullptr, false},
        {"no display at all", {}, nullptr, nullptr, nullptr, nullptr, nullptr, false},
        {"QT_QPA_PLATFORM", {}, nullptr, "wayland-0", "offscreen", nullptr, nullptr, false},
        {"-platform", {"-platform", "offscreen"}, nullptr, "wayland-0", nullptr, nullptr, nullptr, false},
        {"QT_PLUGIN_PATH", {}, nullptr, "wayland-0", nullptr, pluginPath, nullptr, false},
        {"QT_QPA_PLATFORM_PLUGIN_PATH", {}, nullptr, "wayland-0", nullptr, nullptr, directPath, false},
        {"-platformpluginpath",
         {"-platformpluginpath", direct},
         nullptr,
         "wayland-0",
         nullptr,
         nullptr,
         emptyPath,
         false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        std::vector<std::unique_ptr<testsupport::CScopedEnvironment>> environment;
        for (const auto& [pszName, pszValue] : {std::pair{"DISPLAY", c.pszDisplay},
                                                {"WAYLAND_DISPLAY", c.pszWaylandDisplay},
                                                {"QT_QPA_PLATFORM", c.pszPlatform},
                                                {"QT_PLUGIN_PATH", c.pszPluginPath},
                                                {"QT_QPA_PLATFORM_PLUGIN_PATH", c.pszPlatformPlugins}})
            environment.push_back(std::make_unique<testsupport::CScopedEnvironment>(pszName, pszValue));
        EXPECT_EQ(LacksWaylandSupport(CCommandLine(QStringList{"tarvex"} + c.arguments), qt), c.bLacks);
    }
}
} // namespace
