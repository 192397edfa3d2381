#include "PanelContext.h"

#include "ReportInstrumentError.h"

#include "instrument/InstrumentSession.h"

bool CPanelContext::IsLive() const
{
    return m_pSession->IsLive();
}

void CPanelContext::ReportSessionFailure() const
{
    ReportInstrumentError(*m_pSession, *m_pUpdateTimer, m_pSession->GetLastStatus());
}
