#pragma once
// The owner-drawn push button: paints through DrawItem with a device context, and reports a double click
// as a BN_DOUBLECLICKED notification instead of a second press, as an owner-drawn Windows button does.
// A template's owner-drawn button is built as a CButton until a custom control takes it over.

#include "DeviceContext.h"

#include <QAbstractButton>

class CButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CButton(QWidget* pParent = nullptr);

signals:
    void doubleClicked(); // BN_DOUBLECLICKED

protected:
    // The owner-draw hook: rcItem is the whole client rectangle. The base draws nothing.
    virtual void DrawItem(CDC& dc, const CRect& rcItem);

    void paintEvent(QPaintEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    QSize sizeHint() const override;
};
