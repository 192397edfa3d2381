#include "WaylandSupport.h"

#include "CommandLine.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

namespace
{
bool HoldsWaylandPlugin(const QString& folder)
{
    return !QDir(folder).entryList({QStringLiteral("libqwayland-*.so")}, QDir::Files).isEmpty();
}
} // namespace

bool LacksWaylandSupport(const CCommandLine& commandLine, const QString& strQtPluginFolder)
{
    // Qt tries the Wayland plugin first where WAYLAND_DISPLAY is set, then X11, which needs DISPLAY.
    if (!commandLine.QtPlatform().isEmpty() || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    QString platformFolder = commandLine.QtPlatformPluginFolder();
    if (platformFolder.isEmpty())
        platformFolder = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    QStringList folders; // where Qt looks for platform plugins
    if (!platformFolder.isEmpty())
        folders << platformFolder << platformFolder + QStringLiteral("/platforms");
    const QString pluginPath = qEnvironmentVariable("QT_PLUGIN_PATH");
    for (const QString& folder : pluginPath.split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders << folder + QStringLiteral("/platforms");
    folders << strQtPluginFolder + QStringLiteral("/platforms");
    return std::none_of(folders.cbegin(), folders.cend(), HoldsWaylandPlugin);
}
