#include "ChartAccessible.h"

#include "framework/AccessibleFactory.h"

#include <QChartView>

CChartAccessible::CChartAccessible(QChartView* pView) : QAccessibleWidget(pView, QAccessible::Chart) {}

void CChartAccessible::Install()
{
    InstallAccessibleFactory<&CChartAccessible::Factory>();
}

QAccessibleInterface* CChartAccessible::Factory(const QString& /*key*/, QObject* pObject)
{
    auto* pView = qobject_cast<QChartView*>(pObject);
    return pView ? new CChartAccessible(pView) : nullptr;
}
