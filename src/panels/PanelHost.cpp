#include "PanelHost.h"

#include "instrument/InstrumentSession.h"
#include "instrument/ReportInstrumentError.h"

#include <cassert>

namespace
{
IPanelHost* g_pHost = nullptr;
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
