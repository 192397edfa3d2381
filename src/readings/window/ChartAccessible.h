#pragma once
// What assistive tools get of a chart: a chart with the name and description its window gives it, the
// chart's text alternative. (Qt gives a chart view the role of a bare container, a "filler" to AT-SPI.)
// The view's drawing surface inside has nothing of its own to say and is left out.

#include <QAccessibleWidget>

class QChartView;

class CChartAccessible : public QAccessibleWidget
{
public:
    explicit CChartAccessible(QChartView* pView);

    // Makes Qt build this interface for every chart view. Idempotent; each chart calls it on construction,
    // before anything can ask for its interface.
    static void Install();

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int /*nIndex*/) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface* /*pChild*/) const override { return -1; }

private:
    static QAccessibleInterface* Factory(const QString& key, QObject* pObject);
};
