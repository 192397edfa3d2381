#include "PanelHost.h"

#include "framework/MessageService.h"
#include "instrument/InstrumentSession.h"
#include "panels/ReportInstrumentError.h"

#include <QWidget>

#include <cassert>

namespace
{
IPanelHost* g_pHost = nullptr;
}

bool IPanelHost::IsLive()
{
    return Session().IsLive();
}

bool IPanelHost::CheckLive()
{
    if (IsLive())
        return true;
    MessageService().MessageBox(Frame().ClientArea()->window(), "Non-Live Mode: Function disabled", "Error",
                                EMessageIcon::None);
    return false;
}

IPanelHost& PanelHost()
{
    assert(g_pHost != nullptr);
    return *g_pHost;
}

void SetPanelHost(IPanelHost* pHost)
{
    g_pHost = pHost;
}

void ReportSessionFailure()
{
    IPanelHost& host = PanelHost();
    ReportInstrumentError(host.Session(), host.UpdateTimer(), host.Session().GetLastStatus());
}
