#include "Button.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

CButton::CButton(QWidget* pParent) : QAbstractButton(pParent) {}

void CButton::DrawItem(CDC&, const CRect&) {}

void CButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CDC dc(painter);
    DrawItem(dc, CRect::FromQRect(rect()));
}

void CButton::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton)
    {
        QAbstractButton::mouseDoubleClickEvent(pEvent);
        return;
    }
    // The second click of a double click is the notification alone: no press, so its release clicks nothing.
    pEvent->accept();
    emit doubleClicked();
}

QSize CButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 16, metrics.height() + 10};
}
