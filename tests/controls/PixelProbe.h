#pragma once
// Reading the pixels of the owner-drawn controls: what a control paints, what stands on screen now (its
// window's backing store, read without processing events), and where its ink lies.

#include "support/TestSupport.h"

#include "framework/DeviceContext.h"

#include <QBackingStore>
#include <QDir>

#include <string>

namespace pixelprobe
{
inline QImage Grab(QWidget& widget)
{
    return testsupport::Grab(&widget).convertToFormat(QImage::Format_RGB32);
}

inline QImage OnScreen(QWidget& widget)
{
    QBackingStore* pStore = widget.window()->backingStore();
    const auto* pImage = pStore ? dynamic_cast<const QImage*>(pStore->paintDevice()) : nullptr;
    const QPoint origin = widget.mapTo(widget.window(), QPoint(0, 0));
    return pImage ? pImage->copy(QRect(origin, widget.size())).convertToFormat(QImage::Format_RGB32)
                  : QImage();
}

inline COLORREF At(const QImage& image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}

// The box round the pixels of area that are not the background colour; the number of pixels of a colour.
inline QRect InkBounds(const QImage& image, const QRect& area, COLORREF crBackground)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            bounds |= At(image, x, y) != crBackground ? QRect(x, y, 1, 1) : QRect();
    return bounds;
}

inline int CountColour(const QImage& image, const QRect& area, COLORREF cr)
{
    int nCount = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            nCount += At(image, x, y) == cr ? 1 : 0;
    return nCount;
}

// Saves a picture under controls/ in the working directory (the build folder) for a person to look at.
inline void Save(const QImage& image, const std::string& name)
{
    QDir().mkpath(QStringLiteral("controls"));
    image.save(QStringLiteral("controls/%1.png").arg(QString::fromStdString(name)));
}
} // namespace pixelprobe
