#pragma once
// Helpers that the tests of the widget areas use: flushing the event queue, clicking and grabbing widgets,
// and a dialog template built into a throw-away host.

#include "ScopedEnvironment.h"

#include "framework/DialogControls.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <QStringList>

#include <memory>
#include <optional>
#include <string>

namespace testsupport
{
// Delivers pending events, posted deletions (deleteLater) included.
void ProcessEvents();

// A left click (press and release) at pos; a null point (the default) clicks the widget's centre.
void Click(QWidget* pWidget, QPoint pos = {});

// The widget as it paints itself now.
QImage Grab(QWidget* pWidget);

// The colour of one pixel, without alpha, for comparisons.
QColor PixelAt(const QImage& image, int x, int y);

// Collects the warnings Qt's message handler receives while it lives, instead of printing them.
class CCapturedWarnings
{
public:
    CCapturedWarnings();
    ~CCapturedWarnings();
    CCapturedWarnings(const CCapturedWarnings&) = delete;
    CCapturedWarnings& operator=(const CCapturedWarnings&) = delete;
    const QStringList& Texts() const { return m_texts; }

private:
    QStringList m_texts;
    QtMessageHandler m_previous;
};

// A template's controls built into a plain host widget, which is shown.
struct STemplateHost
{
    std::unique_ptr<QWidget> pHost = std::make_unique<QWidget>();
    CDialogControls controls;
};
std::unique_ptr<STemplateHost> BuildInHost(const SDialogTemplate& dialogTemplate);
} // namespace testsupport
