#pragma once
// Whether Qt, left to choose its platform on a Wayland desktop without X11 (WAYLAND_DISPLAY set, DISPLAY
// not), would find no Wayland platform plugin. It would then end the program advising to reinstall it; the
// program says instead what to install. A platform chosen with QT_QPA_PLATFORM or -platform is left to Qt.

#include <QString>

class CCommandLine;

// Looks for the plugin where Qt does: in the folder of -platformpluginpath (or QT_QPA_PLATFORM_PLUGIN_PATH),
// then in platforms/ of that folder, of each folder of QT_PLUGIN_PATH and of Qt's own plugin folder.
bool LacksWaylandSupport(const CCommandLine& commandLine, const QString& strQtPluginFolder);
