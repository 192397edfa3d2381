#include "WaitCursor.h"

#include <QApplication>
#include <QCursor>

namespace framework
{
CWaitCursor::CWaitCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CWaitCursor::~CWaitCursor()
{
    QApplication::restoreOverrideCursor();
}
} // namespace framework
