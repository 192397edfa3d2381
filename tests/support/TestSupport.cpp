#include "TestSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QTest>

#include <cstdlib>

namespace testsupport
{
void ProcessEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Click(QWidget* pWidget, QPoint pos)
{
    QTest::mouseClick(pWidget, Qt::LeftButton, Qt::NoModifier, pos.isNull() ? pWidget->rect().center() : pos);
}

QImage Grab(QWidget* pWidget)
{
    return pWidget->grab().toImage();
}

QColor PixelAt(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y)).toRgb();
}

namespace
{
QStringList* s_pCapture = nullptr;

void CaptureMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (s_pCapture && type == QtWarningMsg)
        s_pCapture->append(text);
}
} // namespace

CCapturedWarnings::CCapturedWarnings() : m_previous(qInstallMessageHandler(CaptureMessage))
{
    s_pCapture = &m_texts;
}

CCapturedWarnings::~CCapturedWarnings()
{
    s_pCapture = nullptr;
    qInstallMessageHandler(m_previous);
}

std::unique_ptr<STemplateHost> BuildInHost(const SDialogTemplate& dialogTemplate)
{
    auto pBuilt = std::make_unique<STemplateHost>();
    pBuilt->controls.Build(pBuilt->pHost.get(), dialogTemplate);
    pBuilt->pHost->show();
    return pBuilt;
}
} // namespace testsupport
