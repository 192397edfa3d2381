#include "ChartAccessible.h"

#include <QChartView>

CChartAccessible::CChartAccessible(QChartView* pView) : QAccessibleWidget(pView, QAccessible::Chart) {}

void CChartAccessible::Install()
{
    static const bool bInstalled = []
    {
        QAccessible::installFactory(
            [](const QString& /*key*/, QObject* pObject) -> QAccessibleInterface*
            {
                auto* pView = qobject_cast<QChartView*>(pObject);
                return pView ? new CChartAccessible(pView) : nullptr;
            });
        return true;
    }();
    (void)bInstalled;
}
