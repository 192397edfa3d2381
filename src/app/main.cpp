// The Tarvex Counter soft front panel: starts live against the counter's driver, or non-live without it.

#include "app/PanelApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CPanelApp panelApp;
    if (!panelApp.InitInstance())
        return 1;
    return QApplication::exec();
}
