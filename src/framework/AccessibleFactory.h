#pragma once
// Gives Qt's accessibility layer one of our factories of interfaces, once for the program's life however
// often it is asked: each widget that needs the factory asks on construction, before anything can look for
// its interface.

#include <QAccessible>

template <QAccessible::InterfaceFactory pfnFactory> void InstallAccessibleFactory()
{
    static const bool bInstalled = (QAccessible::installFactory(pfnFactory), true);
    (void)bInstalled;
}
